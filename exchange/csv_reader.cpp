#include "exchange/csv_reader.h"


#include "text/text_util.h"
#include "res/resource_ids.h"

namespace {

const char kUtf8Bom[] = "\xEF\xBB\xBF";

} // namespace

CCsvReader::CCsvReader(const std::string& text, char separator, size_t maxFieldLength)
    : m_text(text), m_separator(separator), m_maxFieldLength(maxFieldLength)
{
    if (m_text.compare(0, 3, kUtf8Bom) == 0)
        m_pos = 3;
}

bool CCsvReader::Next(CCsvRecord& record, CCsvError& error)
{
    record.line = m_line;
    record.fields.clear();
    std::string field;
    for (;;) {
        field.clear();
        if (Peek() == '"') {
            ++m_pos;
            if (!ReadQuoted(field, record, error))
                return false;
            if (!AtEnd() && Peek() != m_separator && !AtLineEnd()) {
                error = {IDS_CSV_TEXT_AFTER_QUOTE, record.line, record.fields.size()};
                return false;
            }
        } else if (!ReadUnquoted(field, record, error)) {
            return false;
        }
        record.fields.push_back(field);
        if (!AtEnd() && Peek() == m_separator) {
            ++m_pos;
            continue;
        }
        SkipLineEnd();
        return true;
    }
}

bool CCsvReader::AtLineEnd() const
{
    return !AtEnd() && (Peek() == '\n' || Peek() == '\r');
}

void CCsvReader::SkipLineEnd()
{
    if (!AtLineEnd())
        return;
    if (Peek() == '\r')
        ++m_pos;
    if (Peek() == '\n')
        ++m_pos;
    ++m_line;
}

bool CCsvReader::ReadUnquoted(std::string& field, const CCsvRecord& record, CCsvError& error)
{
    // Whole runs at a time: lists of tens of thousands of rows are read while the user waits.
    size_t end = m_pos;
    while (end < m_text.size() && m_text[end] != m_separator && m_text[end] != '\r' &&
           m_text[end] != '\n')
        ++end;
    field.append(m_text, m_pos, end - m_pos);
    m_pos = end;
    return CheckLength(field, record, error);
}

bool CCsvReader::ReadQuoted(std::string& field, const CCsvRecord& record, CCsvError& error)
{
    for (;;) {
        const size_t quote = m_text.find('"', m_pos);
        const size_t end = quote == std::string::npos ? m_text.size() : quote;
        for (size_t i = m_pos; i < end; ++i) {
            if (m_text[i] == '\n' || (m_text[i] == '\r' && (i + 1 == end || m_text[i + 1] != '\n')))
                ++m_line;
        }
        field.append(m_text, m_pos, end - m_pos);
        m_pos = end;
        if (!CheckLength(field, record, error))
            return false;
        if (AtEnd()) {
            error = {IDS_CSV_OPEN_QUOTE, record.line, record.fields.size()};
            return false;
        }
        ++m_pos; // the quote
        if (Peek() != '"')
            return true;
        field += m_text[m_pos++]; // a doubled quote stands for one
        if (!CheckLength(field, record, error))
            return false;
    }
}

bool CCsvReader::CheckLength(const std::string& field, const CCsvRecord& record,
                             CCsvError& error) const
{
    if (field.size() <= m_maxFieldLength)
        return true;
    error = {IDS_CSV_FIELD_TOO_LONG, record.line, record.fields.size()};
    return false;
}

bool IsBlankCsvRecord(const CCsvRecord& record)
{
    return record.fields.size() == 1 && Trim(record.fields[0]).empty();
}
