#include "radio/archive.h"

#include <istream>
#include <ostream>

#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

unsigned MessageId(CArchiveException::ECause cause)
{
    switch (cause) {
    case CArchiveException::badPath:
        return IDS_FILE_NAME_NOT_USABLE;
    case CArchiveException::writeFailed:
        return IDS_FILE_WRITE_FAILED;
    case CArchiveException::noTempFile:
        return IDS_TEMP_FILE_ERROR;
    case CArchiveException::badClass:
        break;
    }
    return IDS_UNEXPECTED_FILE_FORMAT;
}

} // namespace

CArchiveException::CArchiveException(ECause cause)
    : m_cause(cause), m_message(LoadResString(MessageId(cause)))
{
}

CArchive::CArchive(std::istream& in) : m_in(&in) {}

CArchive::CArchive(std::ostream& out) : m_out(&out) {}

bool CArchive::ReadLine(std::string& line)
{
    if (!m_in)
        throw CArchiveException(CArchiveException::badClass);
    line.clear();
    std::streambuf* buf = m_in->rdbuf();
    if (m_in->bad() || !buf)
        throw CArchiveException(CArchiveException::badClass);
    bool gotAny = false;
    bool ended = false;
    for (;;) {
        int c;
        try {
            c = buf->sbumpc();
        } catch (...) {
            throw CArchiveException(CArchiveException::badClass);
        }
        if (c == std::char_traits<char>::eof()) {
            m_in->setstate(std::ios::eofbit);
            break;
        }
        gotAny = true;
        if (c == '\n') {
            ended = true;
            break;
        }
        if (line.size() >= kMaxLineLength)
            throw CArchiveException(CArchiveException::badClass);
        line += static_cast<char>(c);
    }
    if (ended && !line.empty() && line.back() == '\r')
        line.pop_back();
    return gotAny;
}

void CArchive::WriteLine(const std::string& line)
{
    if (!m_out)
        throw CArchiveException(CArchiveException::writeFailed);
    m_out->write(line.data(), static_cast<std::streamsize>(line.size()));
    m_out->write("\r\n", 2);
    if (!*m_out)
        throw CArchiveException(CArchiveException::writeFailed);
}
