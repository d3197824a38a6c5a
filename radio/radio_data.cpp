#include "radio/radio_data.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "radio/archive.h"

namespace {

// Prefix of the radio data object's temporary file.
const char kTempPrefix[] = "cw";

// Base model information: no model, a comment of 19 blanks.
constexpr uint16_t kBaseCommentLength = 19;

} // namespace

CRadioData::CRadioData() : m_tempFile(kTempPrefix) {}

CRadioData::~CRadioData() = default;

void CRadioData::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SaveToTemp();
        std::ifstream temp(std::filesystem::u8path(GetTempPath()), std::ios::binary);
        if (!temp)
            throw CArchiveException(CArchiveException::noTempFile);
        std::string line;
        while (std::getline(temp, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            ar.WriteLine(line);
        }
        if (temp.bad())
            throw CArchiveException(CArchiveException::badClass);
        SetEdited(false);
        return;
    }

    // The temporary file is emptied first, so that nothing of an earlier, longer content can
    // stay behind the copied lines.
    {
        std::ofstream temp(std::filesystem::u8path(GetTempPath()),
                           std::ios::binary | std::ios::trunc);
        if (GetTempPath().empty() || !temp)
            throw CArchiveException(CArchiveException::noTempFile);
        std::string line;
        size_t total = 0;
        while (ar.ReadLine(line)) {
            total += line.size() + 2;
            if (total > kMaxDocumentSize)
                throw CArchiveException(CArchiveException::badClass);
            temp.write(line.data(), static_cast<std::streamsize>(line.size()));
            temp.write("\r\n", 2);
        }
        temp.flush();
        if (!temp)
            throw CArchiveException(CArchiveException::writeFailed);
    }
    LoadFromTemp();
    OnTempLoaded();
    SetEdited(false);
}

void CRadioData::ResetData()
{
    InitModelInfo();
    ValidateModelInfo(&m_modelInfo);
    Initialize();
    SaveFile(GetTempPath());
    SetEdited(false);
}

void CRadioData::Initialize() {}

bool CRadioData::SaveFile(const std::string&)
{
    return true;
}

bool CRadioData::LoadFile(const std::string&)
{
    return true;
}

void CRadioData::OnFileLoaded() {}

void CRadioData::SaveToTemp() {}

void CRadioData::LoadFromTemp() {}

void CRadioData::OnTempLoaded() {}

bool CRadioData::IsEdited()
{
    return m_editFlag;
}

void CRadioData::SetEdited(bool edited)
{
    m_editFlag = edited;
}

bool CRadioData::ValidateModelInfo(ModelInfo*)
{
    return true;
}

void CRadioData::GetModelName(std::string& name) const
{
    name = "Model Machine";
}

void CRadioData::GetModelComment(std::string& comment) const
{
    comment = "Model Comment";
}

ModelInfo* CRadioData::GetModelInfo()
{
    return &m_modelInfo;
}

bool CRadioData::CheckModelInfo(const ModelInfo*, bool)
{
    return true;
}

void CRadioData::InitModelInfo()
{
    m_modelInfo = ModelInfo();
    m_modelInfo.commentLength = kBaseCommentLength;
    std::memset(m_modelInfo.comment, ' ', kBaseCommentLength);
}

bool CRadioData::LoadFromFile(const std::string& path)
{
    if (!IsUsableFilePath(path))
        return false;
    {
        std::ifstream probe(std::filesystem::u8path(path), std::ios::binary);
        if (!probe)
            return false;
    }
    if (!LoadFile(path))
        return false;
    OnFileLoaded();
    SetEdited(false);
    return true;
}

bool CRadioData::SaveToFile(const std::string& path)
{
    if (!IsUsableFilePath(path))
        return false;
    // The file must be creatable or writable, but is not emptied here: the engine replaces it
    // as a whole, and a save that fails (a full disk) must leave the old content in place.
    {
        std::ofstream probe(std::filesystem::u8path(path), std::ios::binary | std::ios::app);
        if (!probe)
            return false;
    }
    return SaveFile(path);
}

bool CRadioData::IsUsableFilePath(const std::string& path)
{
    return !path.empty() && path.find('"') == std::string::npos &&
           path.find('=') == std::string::npos;
}
