#pragma once

// Command and control ids of the framework's standard commands.
#include "framework/Afx.h"

constexpr UINT ID_SEPARATOR = 0;
constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_CLOSE = 57602;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_FILE_SAVE_AS = 57604;
constexpr UINT ID_FILE_PAGE_SETUP = 57605;
constexpr UINT ID_FILE_PRINT_SETUP = 57606;
constexpr UINT ID_FILE_PRINT = 57607;
constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
constexpr UINT ID_FILE_MRU_FILE1 = 57616;
constexpr UINT ID_FILE_MRU_FILE16 = 57631;
constexpr UINT ID_EDIT_COPY = 57634;
constexpr UINT ID_EDIT_CUT = 57635;
constexpr UINT ID_EDIT_PASTE = 57637;
constexpr UINT ID_EDIT_UNDO = 57643;
constexpr UINT ID_EDIT_REDO = 57644;
constexpr UINT ID_APP_ABOUT = 57664;
constexpr UINT ID_APP_EXIT = 57665;
constexpr UINT ID_NEXT_PANE = 57680;
constexpr UINT ID_PREV_PANE = 57681;
constexpr UINT ID_INDICATOR_EXT = 59136;
constexpr UINT ID_INDICATOR_CAPS = 59137;
constexpr UINT ID_INDICATOR_NUM = 59138;
constexpr UINT ID_INDICATOR_SCRL = 59139;
constexpr UINT ID_INDICATOR_OVR = 59140;
constexpr UINT ID_INDICATOR_REC = 59141;
constexpr UINT ID_INDICATOR_KANA = 59142;
constexpr UINT ID_VIEW_TOOLBAR = 59392;
constexpr UINT AFX_IDS_APP_TITLE = 57344;
constexpr UINT AFX_IDS_IDLEMESSAGE = 57345;

// The framework's own texts, kept in its own table (framework/Resources.cpp); a program's table
// may give its own under the same id.
constexpr UINT AFX_IDS_UNTITLED = 61440;
constexpr UINT AFX_IDS_SAVEFILE = 61441;
constexpr UINT AFX_IDS_ALLFILTER = 61442;
constexpr UINT AFX_IDS_OPENFILE = 61443;
// The message boxes' buttons.
constexpr UINT AFX_IDS_BUTTON_OK = 61456;
constexpr UINT AFX_IDS_BUTTON_CANCEL = 61457;
constexpr UINT AFX_IDS_BUTTON_YES = 61458;
constexpr UINT AFX_IDS_BUTTON_NO = 61459;
// Prompts: formats with a place (%s) for the document's name or a range's ends.
constexpr UINT AFX_IDP_ASK_TO_SAVE = 61699;
constexpr UINT AFX_IDP_PARSE_REAL = 61713;
constexpr UINT AFX_IDP_PARSE_REAL_RANGE = 61715;
