#include "CmdTarget.h"

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    static const AFX_MSGMAP_ENTRY s_end = {0, 0, 0, nullptr};
    static const AFX_MSGMAP s_map = {nullptr, &s_end};
    return &s_map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pBaseMap) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (e->nMessage != nMessage)
                continue;
            if (nMessage != WM_COMMAND || (e->nCode == nCode && e->nID == nID))
                return e;
        }
    }
    return nullptr;
}
