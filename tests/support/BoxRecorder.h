#pragma once

#include "Boxes.h"
#include "afxwin.h"

#include <functional>
#include <string>
#include <vector>

// Records the framework's message boxes instead of showing them, for as long
// as it lives. Each box is answered with nAnswer; m_onBox, if set, runs while
// the "box" is up (it may run a nested loop of its own).
class ScopedMessageBoxRecorder {
public:
    explicit ScopedMessageBoxRecorder(int nAnswer = IDOK);
    ~ScopedMessageBoxRecorder();
    ScopedMessageBoxRecorder(const ScopedMessageBoxRecorder&) = delete;
    ScopedMessageBoxRecorder& operator=(const ScopedMessageBoxRecorder&) = delete;

    const std::vector<BoxRecord>& Boxes() const { return m_boxes; }
    std::function<void(const BoxRecord&)> m_onBox;

private:
    static int Record(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType);

    std::vector<BoxRecord> m_boxes;
    int m_nAnswer;
    AFX_MSGBOX_HOOK m_pfnOld;
    ScopedMessageBoxRecorder* m_pOuter;
};
