#include "radio/radio_data_rig.h"

#include "engine/clone_image.h"
#include "engine/engine_words.h"
#include "engine/radio_engine.h"
#include "radio/archive.h"

namespace {

using EngineWord::kOk;

} // namespace

CRadioDataRig::CRadioDataRig() : m_engine(std::make_unique<CRadioEngine>()) {}

CRadioDataRig::~CRadioDataRig() = default;

std::string CRadioDataRig::Command(const char* command)
{
    return m_engine->Execute(command ? command : "");
}

std::string CRadioDataRig::Command(const std::string& command)
{
    return m_engine->Execute(command);
}

std::string CRadioDataRig::Query(const std::string& command) const
{
    return m_engine->Query(command);
}

std::string CRadioDataRig::FileCommand(const char* verb, const std::string& path)
{
    return std::string("FILE.") + verb + ".\"" + path + "\"";
}

std::string CRadioDataRig::RunFileCommand(const char* verb, const std::string& path)
{
    m_lastFileResult.clear();
    if (!IsUsableFilePath(path))
        return std::string();
    m_lastFileResult = Command(FileCommand(verb, path));
    return m_lastFileResult;
}

void CRadioDataRig::CheckTempPath() const
{
    // Without a temporary file the engine has nowhere to write, and the user must hear about
    // the temporary folder, not about the file's format.
    if (GetTempPath().empty())
        throw CArchiveException(CArchiveException::noTempFile);
    if (!IsUsableFilePath(GetTempPath()))
        throw CArchiveException(CArchiveException::badPath);
}

void CRadioDataRig::Initialize()
{
    Command("INITIALIZE");
    RunFileCommand("SAVE", GetTempPath());
}

bool CRadioDataRig::SaveFile(const std::string& path)
{
    return RunFileCommand("SAVE", path) == kOk;
}

bool CRadioDataRig::LoadFile(const std::string& path)
{
    if (RunFileCommand("LOAD", path) != kOk)
        return false;
    Command("HEAL");
    return true;
}

void CRadioDataRig::SaveToTemp()
{
    CheckTempPath();
    // A save has no format to get wrong: any refusal means the temporary file could not be
    // written (a full disk, a temporary folder taken away), and the user is told so.
    if (RunFileCommand("SAVE", GetTempPath()) != kOk)
        throw CArchiveException(CArchiveException::writeFailed);
}

void CRadioDataRig::LoadFromTemp()
{
    CheckTempPath();
    if (RunFileCommand("LOAD", GetTempPath()) != kOk)
        throw CArchiveException(CArchiveException::badClass);
}

bool CRadioDataRig::IsEdited()
{
    return Command("EDIT_FLAG") == EngineWord::kOn;
}

void CRadioDataRig::SetEdited(bool edited)
{
    Command(edited ? "EDIT_FLAG=ON" : "EDIT_FLAG=OFF");
}

std::vector<uint8_t> CRadioDataRig::GetDataSet()
{
    // Between heals a change lives in the settings and channels only.
    Command("HEAL");
    const CCloneImage& image = m_engine->GetImage();
    std::vector<uint8_t> bytes(image.GetSize());
    image.ReadBlock(0, bytes.data(), image.GetSize());
    return bytes;
}

bool CRadioDataRig::RestoreDataSet(const std::vector<uint8_t>& bytes)
{
    return m_engine->LoadImage(bytes.data(), bytes.size());
}
