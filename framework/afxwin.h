#pragma once

// Everything a framework program needs, in one include.
#include "AfxProc.h"
#include "AfxString.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "DialogTemplate.h"
#include "Menu.h"
#include "MessageMap.h"
#include "PaintDC.h"
#include "WinApp.h"
#include "Wnd.h"

// The framework's Help command.
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
