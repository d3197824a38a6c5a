#include "radio/undo_history.h"

#include <utility>

#include "radio/radio_data_rig.h"

CUndoHistory::CUndoHistory(CRadioDataRig& radio, size_t depth)
    : m_radio(radio), m_depth(depth > 0 ? depth : 1)
{
    Clear();
}

void CUndoHistory::Clear()
{
    m_undo.clear();
    m_redo.clear();
    ++m_generation;
    MarkSaved();
}

void CUndoHistory::MarkSaved()
{
    m_saved = m_radio.GetDataSet();
}

std::string CUndoHistory::GetUndoName() const
{
    return CanUndo() ? m_undo.back().name : std::string();
}

std::string CUndoHistory::GetRedoName() const
{
    return CanRedo() ? m_redo.back().name : std::string();
}

bool CUndoHistory::Restore(const CSnapshot& snapshot)
{
    if (!m_radio.RestoreDataSet(snapshot))
        return false;
    // The engine's own flag is sticky and compares with the image of its last reset; the data
    // set last saved is what decides here.
    m_radio.SetEdited(snapshot != m_saved);
    return true;
}

bool CUndoHistory::Undo()
{
    return TakeStep(m_undo, m_redo, false);
}

bool CUndoHistory::Redo()
{
    return TakeStep(m_redo, m_undo, true);
}

bool CUndoHistory::TakeStep(std::deque<CStep>& from, std::deque<CStep>& to, bool redo)
{
    if (m_openSteps != 0 || from.empty() || !Restore(redo ? from.back().after : from.back().before))
        return false;
    to.push_back(std::move(from.back()));
    from.pop_back();
    return true;
}

void CUndoHistory::Add(CStep step)
{
    m_undo.push_back(std::move(step));
    if (m_undo.size() > m_depth)
        m_undo.pop_front();
    m_redo.clear();
}

bool CUndoHistory::Record(const std::string& name, const std::function<void()>& change)
{
    CUndoStep step(*this, name);
    if (change)
        change();
    return step.Finish();
}

CUndoStep::CUndoStep(CUndoHistory& history, std::string name)
    : m_history(history), m_name(std::move(name)), m_generation(history.m_generation),
      m_outermost(history.m_openSteps == 0)
{
    ++m_history.m_openSteps;
    if (m_outermost)
        m_before = m_history.m_radio.GetDataSet();
}

CUndoStep::~CUndoStep()
{
    // Without memory for the second snapshot the change stays, only not undoable.
    try {
        Finish();
    } catch (...) {
    }
}

bool CUndoStep::Finish()
{
    if (!m_open)
        return false;
    m_open = false;
    --m_history.m_openSteps;
    if (!m_outermost || m_generation != m_history.m_generation)
        return false;
    CUndoHistory::CSnapshot after = m_history.m_radio.GetDataSet();
    if (after == m_before)
        return false;
    m_history.Add({std::move(m_name), std::move(m_before), std::move(after)});
    return true;
}
