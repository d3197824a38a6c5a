#pragma once

// The words of the engine's command language that the program builds commands from and reads
// answers against. !!! The engine and the hidden clients compare them byte for byte: do not
// change their spelling. !!!
namespace EngineWord {

// Answers of operations and file commands.
inline constexpr char kOk[] = "OK";
inline constexpr char kNg[] = "NG";

// The two words of every on/off value.
inline constexpr char kOn[] = "ON";
inline constexpr char kOff[] = "OFF";

// A memory channel's commands: the prefix with its number and ".", then a field or an
// operation; an operation's check form adds kCheck.
inline constexpr char kMemoryChannel[] = "CH.MCH.";
inline constexpr char kCheck[] = ".CHECK";

// Channel fields.
inline constexpr char kAppear[] = "APPEAR";
inline constexpr char kFrequency[] = "FREQUENCY";
inline constexpr char kName[] = "NAME";
inline constexpr char kTxInhibit[] = "TXINHIBIT";
inline constexpr char kChLockout[] = "CHLOCKOUT";
inline constexpr char kIsLegal[] = "ISLEGAL";

// Channel operations; kHeal is also the engine's own command that rebuilds the whole image.
inline constexpr char kCopy[] = "COPY";
inline constexpr char kPaste[] = "PASTE";
inline constexpr char kClear[] = "CLEAR";
inline constexpr char kDelete[] = "DELETE";
inline constexpr char kInsert[] = "INSERT";
inline constexpr char kHeal[] = "HEAL";

} // namespace EngineWord
