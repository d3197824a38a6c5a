#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class CRadioDataRig;

// The undo and redo history of one data set. Each step keeps the whole data set (the 512 bytes
// of the healed image) as it was before and after one user command, so that undo and redo
// restore it exactly, settings and channels included; restoring goes through the engine's load
// path. The engine's edit flag then follows from the restored data: it is off exactly when they
// equal the data set last opened, made new or saved.
//
// Wrapping one command (the only thing a command has to do to become undoable):
//
//     CUndoStep step(history, "Paste CH 05");   // the data set is captured here
//     ... send the command's engine commands, ask questions, return early ...
//                                               // and compared when `step` goes
//
// or history.Record("Paste CH 05", [&] { ... });. A command that changes nothing (refused,
// failed, cancelled, answered No) adds no step. Steps do not nest: a step opened while another
// is open adds nothing of its own, the outer one takes in the whole change.
class CUndoHistory {
public:
    using CSnapshot = std::vector<uint8_t>;
    // Steps kept; older ones are forgotten.
    static constexpr size_t kDefaultDepth = 100;

    explicit CUndoHistory(CRadioDataRig& radio, size_t depth = kDefaultDepth);

    // Forgets every step and takes the data set as it stands as the saved one (New, Open).
    void Clear();
    // The data set as it stands has been saved.
    void MarkSaved();

    bool CanUndo() const { return !m_undo.empty() && m_openSteps == 0; }
    bool CanRedo() const { return !m_redo.empty() && m_openSteps == 0; }
    // The name of the step that Undo or Redo would take back or do again; empty when none.
    std::string GetUndoName() const;
    std::string GetRedoName() const;

    // Restores the data set as it was before the last step (Undo) or after the step undone
    // last (Redo). False when there is nothing to undo or redo, or a step is being recorded.
    bool Undo();
    bool Redo();

    // Runs `change` as one step named `name`; true when it changed the data set.
    bool Record(const std::string& name, const std::function<void()>& change);

private:
    friend class CUndoStep;
    struct CStep {
        std::string name;
        CSnapshot before;
        CSnapshot after;
    };

    bool Restore(const CSnapshot& snapshot);
    // Restores the data set before (undo) or after (redo) the last step of `from` and moves
    // that step to `to`.
    bool TakeStep(std::deque<CStep>& from, std::deque<CStep>& to, bool redo);
    void Add(CStep step);

    CRadioDataRig& m_radio;
    size_t m_depth;
    std::deque<CStep> m_undo;
    std::deque<CStep> m_redo;
    CSnapshot m_saved;
    int m_openSteps = 0;
    // Counts the Clear calls: a step begun on a data set that has since been replaced adds
    // nothing.
    unsigned m_generation = 0;
};

// One undoable step around a command: see CUndoHistory.
class CUndoStep {
public:
    CUndoStep(CUndoHistory& history, std::string name);
    ~CUndoStep();

    CUndoStep(const CUndoStep&) = delete;
    CUndoStep& operator=(const CUndoStep&) = delete;

    // Ends the step now instead of when the object goes; true when the command changed the
    // data set and a step was added. Later calls do nothing and return false.
    bool Finish();

private:
    CUndoHistory& m_history;
    std::string m_name;
    CUndoHistory::CSnapshot m_before;
    unsigned m_generation;
    bool m_outermost;
    bool m_open = true;
};
