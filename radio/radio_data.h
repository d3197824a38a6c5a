#pragma once

#include <cstddef>
#include <string>

#include "engine/clone_data_file.h"
#include "radio/model_info.h"
#include "radio/temp_file.h"

class CArchive;

// The model-independent frame of a radio data object: the temporary file through which a
// document passes on open and save, the edit flag, the model information record, and a set of
// overridable steps that do nothing here. CRadioDataRig gives the steps to an engine.
class CRadioData {
public:
    // Largest document accepted on open: the largest file the engine loads. Anything larger is
    // refused as a format error before it is copied into the temporary folder.
    static constexpr size_t kMaxDocumentSize = CCloneDataFile::kMaxFileSize;

    CRadioData();
    virtual ~CRadioData();

    CRadioData(const CRadioData&) = delete;
    CRadioData& operator=(const CRadioData&) = delete;

    // Document open (archive loading) and save (archive storing), through the temporary file.
    // Loading throws CArchiveException when the data are not a clone data file ("Unexpected
    // file format.") and then leaves the data as they were; storing throws it with the cause
    // writeFailed ("The file could not be written.") when the data cannot be written. Both
    // throw it with the cause noTempFile when there is no temporary file to pass through.
    virtual void Serialize(CArchive& ar);

    // A new data set: model information, engine initialisation, edit flag cleared.
    virtual void ResetData();

    virtual void Initialize();
    virtual bool SaveFile(const std::string& path);
    virtual bool LoadFile(const std::string& path);
    virtual void OnFileLoaded();
    virtual void SaveToTemp();
    virtual void LoadFromTemp();
    virtual void OnTempLoaded();
    virtual bool IsEdited();
    virtual void SetEdited(bool edited);
    virtual bool ValidateModelInfo(ModelInfo* info);
    virtual void GetModelName(std::string& name) const;
    virtual void GetModelComment(std::string& comment) const;
    virtual ModelInfo* GetModelInfo();
    virtual bool CheckModelInfo(const ModelInfo* info, bool checkOnly);
    virtual void InitModelInfo();

    // Loads a clone data file (after a clone read). Returns true only when the file loaded;
    // on false the data are unchanged and the edit state is untouched.
    bool LoadFromFile(const std::string& path);

    // Saves the data set as a clone data file (before a clone write). Returns true only when
    // the file was written; on false an existing file keeps its content.
    bool SaveToFile(const std::string& path);

    // True when `path` can travel inside a quoted file command: it is not empty and holds
    // neither a double quote (which would end the quoted path) nor "=" (which would end the
    // command's key). Such paths are refused, never cut.
    static bool IsUsableFilePath(const std::string& path);

    // Path of the "cw" temporary file (empty when it could not be created).
    const std::string& GetTempPath() const { return m_tempFile.GetPath(); }

protected:
    CTempFile m_tempFile;
    bool m_editFlag = false;
    ModelInfo m_modelInfo;
};
