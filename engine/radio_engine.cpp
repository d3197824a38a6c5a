#include "engine/radio_engine.h"

#include "engine/clone_image.h"

struct CRadioEngine::Impl {
    CCloneImage workingImage{512};
};

CRadioEngine::CRadioEngine() : m_impl(new Impl) {}

CRadioEngine::~CRadioEngine() = default;

std::string CRadioEngine::Execute(const std::string& command)
{
    return Execute(command.c_str());
}

std::string CRadioEngine::Execute(const char* command)
{
    (void)command;
    return std::string();
}

const CCloneImage& CRadioEngine::GetImage() const
{
    return m_impl->workingImage;
}
