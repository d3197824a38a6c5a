#pragma once

#include <string>

class CR455Radio;

// The list operations on one memory channel that the engine's channel store carries out.
// (channel_edits.cpp spells them in this order.)
enum class EChannelOp { kCopy, kPaste, kClear, kDelete, kInsert };

// How the engine answered an operation or its check.
enum class EChannelAnswer {
    kRefused, // "NG"; for Copy and Clear, which know no warning, any answer but "OK"
    kOk,      // "OK"
    kWarning, // any other answer ("WARNING"): it would overwrite or push out a channel in use
};

// Whether a channel may be left blank, as CLEAR.CHECK answers it. The engine answers "OK" or
// "NG" only; kUnknown is any other answer (no handler answered: the empty text).
enum class EBlankRule {
    kMayBeBlank,    // "OK"
    kMustStayInUse, // "NG": the engine keeps the channel in use (channel 1)
    kUnknown,
};

// What a channel in use holds as a person or a file gives it: the flags are sent as "ON" or
// "OFF", the name and the frequency as the radio data object's setters send them.
struct CChannelFields {
    std::string name;
    bool txInhibit = false;
    bool lockout = false;
    std::string frequency; // MHz text
};

// The one place that knows how memory channels 1 to 20 are written, copied, pasted, cleared,
// deleted, inserted and checked through the engine's channel commands, in the engine's order,
// with the rules of the priority channel: a blank channel cannot be it, and once channels
// move no priority channel number is right any more.
class CChannelEdits {
public:
    explicit CChannelEdits(CR455Radio& radio) : m_radio(radio) {}

    // The check form of `op` ("CH.MCH.<ch>.PASTE.CHECK"): changes nothing.
    EChannelAnswer Check(unsigned ch, EChannelOp op);
    EBlankRule BlankRule(unsigned ch);

    // The operations. Clear switches priority scanning off when the engine cleared the
    // priority channel; Delete and Insert always do, Insert before the channels move.
    EChannelAnswer Copy(unsigned ch);
    EChannelAnswer Paste(unsigned ch);
    EChannelAnswer Clear(unsigned ch);
    EChannelAnswer Delete(unsigned ch);
    EChannelAnswer Insert(unsigned ch);

    // Writes the channel as the Edit Memory dialog's OK does: name, Tx inhibit, lockout,
    // frequency, APPEAR, then the channel's heal. A blank frequency makes the channel blank and
    // switches priority scanning off, except on a channel the engine keeps in use, which keeps
    // its frequency. Returns the frequency text as sent (trimmed, or the kept one).
    std::string Write(unsigned ch, const CChannelFields& fields);
    // The same order for a channel that is in use whatever its frequency (the imports): no
    // blank rule, APPEAR "ON".
    void SetInUse(unsigned ch, const CChannelFields& fields);

private:
    EChannelAnswer Send(unsigned ch, EChannelOp op, bool check);
    void SendNameAndFlags(unsigned ch, const CChannelFields& fields);
    void PriorityOff();

    CR455Radio& m_radio;
};
