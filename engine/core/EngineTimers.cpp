#include "EngineTimers.h"

UINT_PTR CEngineTimers::Start(EngineTimer kind, UINT_PTR key, UINT elapse, TIMERPROC proc)
{
    Kill(kind, key);
    UINT_PTR id = SetTimer(nullptr, 0, elapse, proc);
    if (id)
        m_timers.push_back({kind, key, id});
    return id;
}

void CEngineTimers::Kill(EngineTimer kind, UINT_PTR key)
{
    for (size_t i = 0; i < m_timers.size(); ++i) {
        if (m_timers[i].kind == kind && m_timers[i].key == key) {
            KillTimer(nullptr, m_timers[i].id);
            m_timers.erase(m_timers.begin() + i);
            return;
        }
    }
}

bool CEngineTimers::IsRunning(EngineTimer kind, UINT_PTR key) const
{
    for (const Entry& entry : m_timers)
        if (entry.kind == kind && entry.key == key)
            return true;
    return false;
}

bool CEngineTimers::Lookup(UINT_PTR id, EngineTimer& kind, UINT_PTR& key) const
{
    for (const Entry& entry : m_timers) {
        if (entry.id == id) {
            kind = entry.kind;
            key = entry.key;
            return true;
        }
    }
    return false;
}

void CEngineTimers::KillAll()
{
    for (const Entry& entry : m_timers)
        KillTimer(nullptr, entry.id);
    m_timers.clear();
}

CString CEngineTimers::Describe() const
{
    CString text;
    for (const Entry& entry : m_timers) {
        if (!text.IsEmpty())
            text += L",";
        text.AppendFormat(L"%d:%u", (int)entry.kind, (unsigned)entry.key);
    }
    return text;
}
