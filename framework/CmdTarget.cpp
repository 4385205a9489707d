#include "CmdTarget.h"

namespace {
const AFX_MSGMAP_ENTRY g_endOfMap = {0, 0, 0, nullptr};
const AFX_MSGMAP g_cmdTargetMap = {nullptr, &g_endOfMap};
} // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    return &g_cmdTargetMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            // A registered message still numbered 0 (not yet registered) matches nothing.
            UINT nRowMessage = e->pnRegistered ? *e->pnRegistered : e->nMessage;
            if (nRowMessage != nMessage || nRowMessage == 0)
                continue;
            if (nMessage != WM_COMMAND || (e->nCode == nCode && e->nID == nID))
                return e;
        }
    }
    return nullptr;
}
