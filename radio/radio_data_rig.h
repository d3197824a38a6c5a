#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "radio/radio_data.h"

class CRadioEngine;

// A radio data object that owns a command engine and carries out every step by engine
// commands. Every command goes through Command, which returns the engine's answer unchanged.
class CRadioDataRig : public CRadioData {
public:
    CRadioDataRig();
    ~CRadioDataRig() override;

    void Initialize() override;
    bool SaveFile(const std::string& path) override;
    bool LoadFile(const std::string& path) override;
    void SaveToTemp() override;
    void LoadFromTemp() override;
    bool IsEdited() override;
    void SetEdited(bool edited) override;

    virtual std::string Command(const char* command);
    virtual std::string Command(const std::string& command);
    // A query that changes nothing (CRadioEngine::Query): a channel field, IsLegal or a setting.
    // Any other command answers empty and is not run.
    virtual std::string Query(const std::string& command) const;

    // The whole data set: the bytes of the image after a "HEAL", which holds every setting and
    // channel. RestoreDataSet loads such bytes back the way a file is loaded, so the settings
    // and channels are decoded afresh; it leaves the edit flag alone and refuses (false) bytes
    // of another size.
    std::vector<uint8_t> GetDataSet();
    bool RestoreDataSet(const std::vector<uint8_t>& bytes);

    // The engine's answer to the last FILE.SAVE or FILE.LOAD ("OK", "FORMAT_ERROR", ...); empty
    // when the last file step was refused before reaching the engine.
    const std::string& GetLastFileResult() const { return m_lastFileResult; }

    // "FILE.SAVE." or "FILE.LOAD." followed by the path in double quotes.
    static std::string FileCommand(const char* verb, const std::string& path);

protected:
    // Sends FILE.SAVE or FILE.LOAD for `path` and returns the answer; refuses (empty answer) a
    // path that the command cannot carry.
    std::string RunFileCommand(const char* verb, const std::string& path);

    // Throws CArchiveException (noTempFile) when the temporary file is missing, (badPath) when
    // its path is unusable.
    void CheckTempPath() const;

    std::unique_ptr<CRadioEngine> m_engine;
    std::string m_lastFileResult;
};
