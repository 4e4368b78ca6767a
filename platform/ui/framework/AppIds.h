// Standard command, window and string ids of the application framework. The program's menus,
// toolbars and accelerators use these numbers for the framework's own commands.
#pragma once

#include "platform/ui/framework/ControlBar.h"

// ---- file commands ----
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FILE2 0xE111
#define ID_FILE_MRU_FILE3 0xE112
#define ID_FILE_MRU_FILE4 0xE113
#define ID_FILE_MRU_FIRST 0xE110
#define ID_FILE_MRU_LAST 0xE11F

// ---- edit commands ----
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C

// ---- window commands ----
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135
#define AFX_IDM_WINDOW_FIRST 0xE130
#define AFX_IDM_WINDOW_LAST 0xE13F
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// ---- application and help ----
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_HELP_INDEX 0xE142
#define ID_HELP_FINDER 0xE143
#define ID_HELP_USING 0xE144
#define ID_CONTEXT_HELP 0xE145
#define ID_HELP 0xE146
#define ID_DEFAULT_HELP 0xE147
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151

// ---- bars and indicators ----
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801
#define ID_SEPARATOR 0
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705

// The window ids of bars and panes (AFX_IDW_*) are in ControlBar.h.
#define AFX_IDW_MENUBAR 0xE8FE

// ---- strings the framework loads (English texts are built in when the program has none) ----
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001
#define AFX_IDS_HELPMODEMESSAGE 0xE002
#define AFX_IDS_OPENFILE 0xF000
#define AFX_IDS_SAVEFILE 0xF001
#define AFX_IDS_ALLFILTER 0xF002
#define AFX_IDS_UNTITLED 0xF003
#define AFX_IDP_ASK_TO_SAVE 0xF103
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF104
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF105
#define AFX_IDP_FILE_NONE 0xF130
#define AFX_IDS_PREVIEW_CLOSE 0xF005
// printing and print preview
#define AFX_IDS_PREVIEW_TITLE 0xF006
#define AFX_IDS_PREVIEW_PREV 0xF007
#define AFX_IDS_PREVIEW_NEXT 0xF008
#define AFX_IDS_PREVIEW_PAGE 0xF009
#define AFX_IDS_PREVIEW_PRINT 0xF00C
#define AFX_IDS_PRINT_PDF_TITLE 0xF00A
#define AFX_IDS_PDF_FILTER 0xF00B
// the buttons of a property sheet
#define AFX_IDS_SHEET_OK 0xF020
#define AFX_IDS_SHEET_CANCEL 0xF021
#define AFX_IDS_SHEET_APPLY 0xF022
#define AFX_IDS_SHEET_HELP 0xF023
#define AFX_IDP_NO_PRINTERS 0xF10E
#define AFX_IDP_ASK_TO_REPLACE 0xF1A0
#define AFX_IDP_PRINT_FAILED 0xF1A1
#define AFX_IDP_PRINT_NOT_WRITTEN 0xF1A2
#define AFX_IDP_PREVIEW_FAILED 0xF1A3

// ---- framework messages ----
#define WM_POPMESSAGESTRING 0x0375
#define WM_INITIALUPDATE 0x0364
#define WM_RECALCPARENT 0x0368
#define WM_QUERYCENTERWND 0x036B
