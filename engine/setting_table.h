#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/command_handler.h"

class CCloneImage;
class CCommandString;
class CParameterDescriptor;

// Every common and advanced setting of the transceiver as a list of parameter descriptors, built
// once and never changed. The single place where the image layout of the settings is written
// down. Answers the COMMON command family.
class CSettingTable : public CCommandHandler {
public:
    CSettingTable();
    ~CSettingTable() override;

    CSettingTable(const CSettingTable&) = delete;
    CSettingTable& operator=(const CSettingTable&) = delete;

    // COMMON.KEY[.ACCESS][=VALUE]; an empty answer for any other head word or an unknown key.
    std::string Execute(CCommandString& command) override;
    std::string Execute(const std::string& command);
    std::string Query(CCommandString& command) const override;

    // Every descriptor in table order; the loaded flag becomes 1.
    void SyncAll(int direction, CCloneImage& image);
    // Decodes on the first call after construction or ResetLoaded, encodes afterwards.
    void Sync(CCloneImage& image);
    void ResetLoaded() { m_loaded = 0; }
    int IsLoaded() const { return m_loaded; }

    int GetCount() const { return static_cast<int>(m_descriptors.size()); }
    const CParameterDescriptor& GetDescriptor(int index) const
    {
        return *m_descriptors[static_cast<size_t>(index)];
    }
    // Table-order lookup without regard to case; null when no setting has the key.
    CParameterDescriptor* Find(const std::string& key) const;

private:
    void Build();
    // The setting that a COMMON command names, or null; `valueCommand` becomes the part its
    // descriptor takes (ACCESS=VALUE).
    CParameterDescriptor* Resolve(const CCommandString& command, std::string& valueCommand) const;

    int m_loaded = 0;
    std::vector<std::unique_ptr<CParameterDescriptor>> m_descriptors;
};
