#include "radio/channel_edits.h"

#include <cstddef>

#include "engine/engine_words.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"

namespace {

// In the order of EChannelOp.
const char* const kOpWords[] = {EngineWord::kCopy, EngineWord::kPaste, EngineWord::kClear,
                                EngineWord::kDelete, EngineWord::kInsert};

const char* OpWord(EChannelOp op)
{
    return kOpWords[static_cast<size_t>(op)];
}

const char* OnOff(bool on)
{
    return on ? EngineWord::kOn : EngineWord::kOff;
}

} // namespace

EChannelAnswer CChannelEdits::Send(unsigned ch, EChannelOp op, bool check)
{
    std::string command = CR455Radio::ChPrefix(ch) + OpWord(op);
    if (check)
        command += EngineWord::kCheck;
    const std::string answer = m_radio.Command(command);
    if (answer == EngineWord::kOk)
        return EChannelAnswer::kOk;
    if (op == EChannelOp::kCopy || op == EChannelOp::kClear || answer == EngineWord::kNg)
        return EChannelAnswer::kRefused;
    return EChannelAnswer::kWarning;
}

EChannelAnswer CChannelEdits::Check(unsigned ch, EChannelOp op)
{
    return Send(ch, op, true);
}

EBlankRule CChannelEdits::BlankRule(unsigned ch)
{
    const std::string answer =
        m_radio.Command(CR455Radio::ChPrefix(ch) + EngineWord::kClear + EngineWord::kCheck);
    if (answer == EngineWord::kOk)
        return EBlankRule::kMayBeBlank;
    return answer == EngineWord::kNg ? EBlankRule::kMustStayInUse : EBlankRule::kUnknown;
}

EChannelAnswer CChannelEdits::Copy(unsigned ch)
{
    return Send(ch, EChannelOp::kCopy, false);
}

EChannelAnswer CChannelEdits::Paste(unsigned ch)
{
    return Send(ch, EChannelOp::kPaste, false);
}

EChannelAnswer CChannelEdits::Clear(unsigned ch)
{
    const EChannelAnswer answer = Send(ch, EChannelOp::kClear, false);
    // A clear the engine refuses (channel 1) leaves the channel, and so its priority scanning.
    if (answer == EChannelAnswer::kOk && DecimalValue(m_radio.GetPrioCh()) == static_cast<int>(ch))
        PriorityOff();
    return answer;
}

EChannelAnswer CChannelEdits::Delete(unsigned ch)
{
    const EChannelAnswer answer = Send(ch, EChannelOp::kDelete, false);
    PriorityOff();
    return answer;
}

EChannelAnswer CChannelEdits::Insert(unsigned ch)
{
    PriorityOff();
    return Send(ch, EChannelOp::kInsert, false);
}

void CChannelEdits::SendNameAndFlags(unsigned ch, const CChannelFields& fields)
{
    m_radio.SetChName(ch, fields.name);
    m_radio.SetChTxInhibit(ch, OnOff(fields.txInhibit));
    m_radio.SetChLockout(ch, OnOff(fields.lockout));
}

std::string CChannelEdits::Write(unsigned ch, const CChannelFields& fields)
{
    SendNameAndFlags(ch, fields);
    std::string frequency = fields.frequency;
    // Without its frequency a channel the engine keeps in use would show blank while its data
    // hold the lowest channel of the band. Only an outright "NG" keeps it.
    if (Trim(frequency).empty() && BlankRule(ch) == EBlankRule::kMustStayInUse)
        frequency = m_radio.GetChFrequency(ch);
    m_radio.SetChFrequency(ch, frequency); // trims `frequency` in place
    const bool blank = Trim(frequency).empty();
    if (blank)
        PriorityOff();
    m_radio.SetChAppear(ch, OnOff(!blank));
    m_radio.HealCh(ch);
    return frequency;
}

void CChannelEdits::SetInUse(unsigned ch, const CChannelFields& fields)
{
    SendNameAndFlags(ch, fields);
    std::string frequency = fields.frequency;
    m_radio.SetChFrequency(ch, frequency);
    m_radio.SetChAppear(ch, EngineWord::kOn);
    m_radio.HealCh(ch);
}

void CChannelEdits::PriorityOff()
{
    m_radio.SetPriorityChannel(EngineWord::kOff);
}
