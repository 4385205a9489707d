#include "BoxRecorder.h"

namespace {

ScopedMessageBoxRecorder* g_pRecorder = nullptr;

} // namespace

ScopedMessageBoxRecorder::ScopedMessageBoxRecorder(int nAnswer)
    : m_nAnswer(nAnswer), m_pfnOld(AfxSetMessageBoxHook(Record)), m_pOuter(g_pRecorder)
{
    g_pRecorder = this;
}

ScopedMessageBoxRecorder::~ScopedMessageBoxRecorder()
{
    AfxSetMessageBoxHook(m_pfnOld);
    g_pRecorder = m_pOuter;
}

int ScopedMessageBoxRecorder::Record(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    ScopedMessageBoxRecorder* self = g_pRecorder;
    BoxRecord r = {hOwner, lpszText ? lpszText : "", lpszCaption ? lpszCaption : "(null)", nType};
    self->m_boxes.push_back(r);
    if (self->m_onBox)
        self->m_onBox(r);
    return self->m_nAnswer;
}
