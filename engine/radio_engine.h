#pragma once

#include <memory>
#include <string>

class CCloneImage;

// The radio data engine: owns the 512-byte working image and everything that interprets it, and
// is driven by text commands alone ("HEAL", "EDIT_FLAG=OFF", "COMMON.BEEP=ON", ...). Execute never
// throws; a command that no handler knows answers an empty string.
class CRadioEngine {
public:
    CRadioEngine();
    virtual ~CRadioEngine();

    CRadioEngine(const CRadioEngine&) = delete;
    CRadioEngine& operator=(const CRadioEngine&) = delete;

    std::string Execute(const std::string& command);
    std::string Execute(const char* command);

    // The working image, read-only; for tests and diagnostics. Callers change it only through
    // commands.
    const CCloneImage& GetImage() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
