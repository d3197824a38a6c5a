#pragma once

// A JSON object written field by field, for the texts the core hands the page.

#include <string>
#include <vector>

class CJsonObject {
public:
    void Add(const std::string& key, const std::string& value);
    void Add(const std::string& key, const char* value) { Add(key, std::string(value)); }
    void Add(const std::string& key, bool value);
    void Add(const std::string& key, unsigned value);
    void AddTexts(const std::string& key, const std::vector<std::string>& values);
    void AddRows(const std::string& key, const std::vector<std::vector<std::string>>& rows);
    std::string Text() const { return "{" + m_fields + "}"; }

    // `text` (UTF-8) as a JSON string, quotes included.
    static std::string Quote(const std::string& text);

private:
    void Key(const std::string& key);
    std::string m_fields;
};

// Hands `text` to the page: valid until the next text handed over (the page copies each at once).
const char* HandToPage(std::string text);
