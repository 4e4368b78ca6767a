// Resource ids of the program: string-table entries, commands, and the ids of menus, toolbars,
// accelerator tables and icons. Shared by the resource scripts and the C++ code.
//
// Block names for the palette, the pin-caption titles and their Chinese forms are numbered by
// block type in ranges (see the string tables); the code holds those type-to-id tables.
#ifndef TAVIX_RESOURCE_H
#define TAVIX_RESOURCE_H

// Resources of the main frame: application title string, menu, toolbar, accelerators, icon.
#define IDR_MAINFRAME                   128
// The document menu and its template (function block diagram); ladder template.
#define IDR_FBD_TYPE                    129
#define IDR_LAD_TYPE                    130

// Dialog templates
#define IDD_MSGTEXT_DISPLAY             102
#define IDD_ANALOG_SLIDER               103
#define IDD_SIM_CLOCK                   195
#define IDD_CELL_PARAM_EDIT             4568
#define IDD_SIMULATION_BAR              4569
#define IDD_OUTPUTS_BAR                 4570
#define IDD_INPUTS_BAR                  4571

// The diagram view's context menu
#define IDR_VIEW_CONTEXT                141

// Messages and titles
#define IDP_OLE_INIT_FAILED             100
#define IDS_BACKGROUND_COLOR_TITLE      303
#define IDS_WIRE_COLOR_TITLE            305
#define IDS_FRAME_COLOR_TITLE           306
#define IDS_TOO_MANY_BLOCKS             336
#define IDS_OUTSIDE_DIAGRAM             339
#define IDS_NUMBER_RANGE_INT            376
#define IDS_CANNOT_LOAD_FILE_TYPE       377
#define IDS_NUMBER_RANGE_REAL           378
#define IDS_ZOOM                        565
#define IDS_DOWNLOAD_FAILED             594
#define IDS_UPLOAD_FAILED               595
#define IDS_DEVICE_PROGRAM_EMPTY        596
#define IDS_CLEAR_FAILED                597
#define IDS_PROJECT_SIZE_ERROR          598
#define IDS_NO_BLOCKS_TO_DOWNLOAD       601
#define IDS_PASSWORD_LETTERS            602
#define IDS_INTERNAL_ERROR              604
#define IDS_UNCONNECTED_BLOCKS          607
#define IDS_INSUFFICIENT_RESOURCES      612
#define IDS_WRONG_PASSWORD_UPLOAD       615
#define IDS_SHIFT_NUMBER_TOO_HIGH       617
#define IDS_ONLY_FIRST_SHIFT_REGISTER   622
#define IDS_PULSE_NOT_AVAILABLE         625
#define IDS_YEAR_RANGE_NOT_AVAILABLE    626
#define IDS_YEARLY_MODE_REQUIRED        627
#define IDS_START_VALUE_NOT_USABLE      628
#define IDS_THRESHOLDS_MUST_BE_EQUAL    629
#define IDS_TIME_NOT_IN_HOURS           630
#define IDS_CHECK_CABLE                 631
#define IDS_ENTER_INTEGER_RANGE         632
#define IDS_CONFIRM_CLEAR_DEVICE        633
#define IDS_DRAWING_BLOCKS              634
#define IDS_DRAWING_DONE                635
#define IDS_DEVICE_TO_PC                638
#define IDS_PC_TO_DEVICE                639
#define IDS_INTEGER_NOT_ZERO            641
#define IDS_DATA_LOG_FULL               642
#define IDS_IO_NUMBER_TOO_HIGH          643
#define IDS_OPEN_FILTER                 912
#define IDS_ONE_SIMULATION_ONLY         935
#define IDS_NO_PRINTER                  950
#define IDS_LADDER_EXTENSION            952

// "All available ... are in use!" refusals, by block type
#define IDS_INPUTS_IN_USE               570
#define IDS_OUTPUTS_IN_USE              571
#define IDS_CURSORS_IN_USE              579
#define IDS_SHIFTS_IN_USE               580
#define IDS_OPEN_CONNECTORS_IN_USE      581
#define IDS_FLAGS_IN_USE                582
#define IDS_STATUS_LOWS_IN_USE          583
#define IDS_STATUS_HIGHS_IN_USE         584
#define IDS_ANALOG_INPUTS_IN_USE        585
#define IDS_ANALOG_OUTPUTS_IN_USE       586
#define IDS_ANALOG_FLAGS_IN_USE         587
#define IDS_WEEKLY_TIMERS_IN_USE        591
#define IDS_MESSAGE_TEXTS_IN_USE        592
#define IDS_SHIFT_REGISTERS_IN_USE      593
#define IDS_LADDER_ANALOG_OUTPUTS_IN_USE 599
#define IDS_COILS_IN_USE                600
#define IDS_MAKE_CONTACTS_IN_USE        603
#define IDS_FUNCTION_KEYS_IN_USE        605
#define IDS_BREAK_CONTACTS_IN_USE       606
#define IDS_ANALOG_CONTACTS_IN_USE      616
#define IDS_ANALOG_FILTERS_IN_USE       624
#define IDS_DATA_LOGS_IN_USE            637

// Controls whose tool tip is the string with the control's id (message-text editor)
#define IDC_MSG_ACKNOWLEDGE             1068
#define IDC_MSG_PRIORITY                1118
#define IDC_MSG_INSERT_PARAMETER        1121
#define IDC_MSG_PARAMETER_LIST          1122
#define IDC_MSG_BLOCK_LIST              1124
#define IDC_MSG_INSERT_AI_FILTER        1394
#define IDC_MSG_INSERT_SPECIAL          1395
#define IDC_MSG_INSERT_BAR_GRAPH        1396
#define IDC_MSG_INSERT_AM_FILTER        1397
#define IDC_MSG_INSERT_IO_NAME          1398
#define IDC_MSG_INSERT_SCALE_TIME       1399
#define IDC_MSG_INSERT_SCOPE            1400
#define IDC_MSG_INSERT_POINTER          1401
#define IDC_MSG_INSERT_GRAPH            1402

// Commands of the system (the framework's own commands keep their standard numbers)
#define ID_PLC_MONITOR                  1350
#define ID_PALETTE_TOOL                 1079
#define ID_VIEW_ZOOM_IN                 6020
#define ID_VIEW_ZOOM_OUT                6021
#define ID_VIEW_PAGE_LAYOUT             6022
#define ID_EDIT_GOTO_BLOCK              32709
#define ID_EDIT_JOIN                    32787
#define ID_CONTEXT_SELECTION            32790
#define ID_EDIT_SEPARATE                32809
#define ID_EDIT_GOTO_PARTNER            32850
#define ID_FILE_SAVE_ALL                32777
#define ID_MODE_CUT_JOIN                32780
#define ID_ADD_SYSTEM_TIME_PAGE         32786
#define ID_TRANSFER_RUN_STOP            32794
#define ID_OPTIONS_WIRE_COLOR           32795
#define ID_TRANSFER_CLOCK               32798
#define ID_MODE_CONNECT                 32801
#define ID_TOOLS_SIMULATION             32802
#define ID_TRANSFER_DEVICE_TO_PC        32806
#define ID_TRANSFER_PC_TO_DEVICE        32807
#define ID_TRANSFER_SUMMER_WINTER       32815
#define ID_MODE_SELECT                  32816
#define ID_OPTIONS_BACKGROUND_COLOR     32818
#define ID_MODE_INSERT_COMMENT          32822
#define ID_EDIT_BLOCK_PROPERTIES        32829
#define ID_EDIT_ALIGN_VERTICAL          32854
#define ID_EDIT_ALIGN_HORIZONTAL        32855
#define ID_TRANSFER_WIFI_SETUP          32853
#define ID_TRANSFER_REMOTE_WIFI_SETUP   32856

// ---- Application shell: main frame, file commands, palette, log, language, help ----
// Dialog templates
#define IDD_ABOUTBOX                    100
#define IDD_LANGUAGE                    380
#define IDD_CLOSE_ALL                   4537
// Bitmaps: tab images of the WorkBox, palette view images, Close All header image, the
// context-menu pictures of Cut, Copy, Paste and Delete, the status-bar button
#define IDB_WORKBOX_VIEWS               114
#define IDB_WORKBOX_TABS                119
#define IDB_CLOSEALL_HEADER             131
#define IDB_MENU_CUT                    156
#define IDB_MENU_COPY                   159
#define IDB_MENU_PASTE                  162
#define IDB_MENU_DELETE                 163
#define IDB_STATUS_BUTTON               231
// Cursor shown over palette items
#define IDC_BLOCK_CURSOR                4509
// Controls
#define IDC_ABOUT_TITLE                 1172
#define IDC_CLOSEALL_LIST               1000
#define IDC_CLOSEALL_SELECT_ALL         1129
#define IDC_LANGUAGE_COMBO              1395
#define IDC_LANGUAGE_LABEL              1424
#define IDC_STATUS_BUTTON               110
#define IDC_SERIES_LABEL                131
// Bars and panes
#define IDW_WORKBOX_BAR                 101
#define IDW_INFO_WINDOW                 59427
#define ID_INDICATOR_ZOOM               59135
#define ID_PANE_STATUS_BUTTON           59581
#define ID_PANE_SERIES                  115
// Commands of the shell
#define ID_FILE_NEW_LAD                 32824
#define ID_FILE_PROPERTIES              32779
#define ID_FILE_CONVERT_TO_FBD          3015
#define ID_FILE_SELECT_HARDWARE         32819
#define ID_MESSAGE_TEXT_SETTINGS        32835
#define ID_COM_CONFIGURATION            32773
#define ID_OPTIONS_LANGUAGE             32852
#define ID_OPTIONS_FRAME_COLOR          32834
#define ID_TRANSFER_CLEAR               32820
#define ID_TRANSFER_IO_STATUS           32830
#define ID_VIEW_SIMULATION_BAR          59580
#define ID_VIEW_OUTPUTS_BAR             32812
#define ID_VIEW_INPUTS_BAR              32813
#define ID_VIEW_INFO_WINDOW             32817
#define ID_HELP_CONTENTS                57667
// Strings of the shell
#define IDS_SECOND_LANGUAGE             183
#define IDS_ALL_FILES_FILTER            61442
#define IDS_CLOSEALL_SAVE_COLUMN        4538
#define IDS_CLOSEALL_NAME_COLUMN        4539
#define IDS_ABOUT_CAPTION               4540
#define IDS_TOO_MANY_TO_SAVE            4541
#define IDS_OPEN_FILE_ERROR             4542
#define IDS_LANGUAGE_AT_RESTART         4543
#define IDS_HELP_NOT_FOUND              4544
#define IDS_PANE_NOT_ADDED              4545
#define IDS_PANE_NOT_FOUND              4546
#define IDS_SETTINGS_DAMAGED            4547
#define IDS_CITY_FILE_DAMAGED           4548
#define IDS_SETTINGS_NOT_SAVED          4549
#define IDS_CITY_FILE_NOT_SAVED         4550
#define IDS_INFO_WINDOW_TITLE           4551
#define IDS_WORKBOX_TITLE               4552
#define IDS_HELP_NOT_OPENED             4553
#define IDS_SETTINGS_DAMAGED_CHINESE    4610
// Captions and labels of the analog input and analog flag pickers of the message-text editor
#define IDS_AI_FILTER                   4583
#define IDS_AM_FILTER                   4584
#define IDS_SELECT_AI                   4585
#define IDS_SELECT_AM                   4586
#define IDS_IDLE_MESSAGE                57345
#define IDS_INDICATOR_CAPS              59137
#define IDS_INDICATOR_NUM               59138
#define IDS_INDICATOR_SCRL              59139

// ---- The diagram view's editing commands and texts
// (ids of this group follow this line)
#define IDI_INFO_TIP                    133   // icon of the view's balloon tip
#define IDS_INCOMPATIBLE_CONNECTORS     4700
#define IDS_RECURSION_REFUSED           4701
#define IDS_CONNECTORS_IN_USE           4702
#define IDS_SAVE_ALL_FAILED             4703
#define IDS_PASTE_ONLY_TEXTS            4704
#define IDS_PASTE_NO_BUS_WIRES          4705
#define IDS_PASTE_FBD_TO_LAD            4706
#define IDS_PASTE_NOT_AVAILABLE         4707
#define IDS_PASTE_NO_RESOURCES          4708
#define IDS_PASTE_DAMAGED               4709
#define IDS_UNDO_SNAPSHOT_FAILED        4710
#define IDS_UNDO_FAILED                 4711
#define IDS_REDO_FAILED                 4712


// ---- Simulation: the child frame's bars, the simulated clock, printing and page layout
// (ids of this group follow this line)
#define IDS_SIM_BAR_CAPTION             26100
#define IDS_SIM_TIP_POWER               26101
#define IDS_SIM_TIP_START               26102
#define IDS_SIM_TIP_STOP                26103
#define IDS_SIM_TIP_SUSPEND             26104
#define IDS_SIM_TIP_STEP                26105
#define IDS_SIM_TIP_CLOCK               26106
#define IDS_SIM_UNIT_CYCLES             26107
#define IDS_SIM_BAR_TITLE               26108
#define IDS_OUTPUTS_BAR_TITLE           26109
#define IDS_INPUTS_BAR_TITLE            26110
#define IDS_MSGTEXT_DISPLAY_TITLE       26111
#define IDS_CONVERT_BAD_OPERAND         26112
#define IDS_CONVERT_TWO_COILS           26113
#define IDS_CONVERT_TOO_LARGE           26114
#define IDC_SIM_POWER                   1147
#define IDC_SIM_START                   1148
#define IDC_SIM_STOP                    1149
#define IDC_SIM_SUSPEND                 1150
#define IDC_SIM_STEP                    1151
#define IDC_SIM_CYCLES                  1040
#define IDC_SIM_DURATION                1041
#define IDC_SIM_COUNTER                 1155
#define IDC_SIM_UNIT                    1152
#define IDC_SIM_TIME                    1153
#define IDC_SIM_CLOCK_BUTTON            1154
#define IDC_SIM_COLLAPSE                1322
#define IDC_SIM_LABEL                   112
#define IDC_SIM_INPUT                   600
#define IDC_SIM_OUTPUT                  605
#define IDC_SIM_ANALOG_IN               608
#define IDC_SIM_ANALOG_OUT              609
#define IDC_SIM_FKEY                    611
#define IDC_CLOCK_DATE                  1050
#define IDC_CLOCK_TIME                  1020
#define IDC_CLOCK_TEXT                  1154
#define IDC_CLOCK_IMMEDIATE             1215
#define IDC_CLOCK_APPLY                 3
#define IDC_SLIDER_MIN                  1139
#define IDC_SLIDER_MAX                  1140
#define IDC_SLIDER_TRACK                1143
#define AFX_IDW_SIM_BAR                 59424
#define AFX_IDW_OUTPUTS_BAR             59425
#define AFX_IDW_INPUTS_BAR              59426


// ---- The program properties sheet and its pages
// (ids of this group follow this line)
// Pages and dialogs
#define IDD_PROPS_PARAMETER             4572
#define IDD_PROPS_GENERAL               4573
#define IDD_PROPS_PROTECT               4575
#define IDD_PROPS_LOGO                  4577
#define IDD_PROPS_COM                   107
#define IDD_PROPS_HARDWARE              230
#define IDD_PROPS_AQ_RANGE              239
#define IDD_PROPS_AQ_VALUE              241
#define IDD_PROPS_COMMENT               7100
// Tab titles and texts of the sheet
#define IDS_PROPS_CAPTION               7100
#define IDS_PROPS_TITLE_GENERAL         7101
#define IDS_PROPS_TITLE_COMMENT         7102
#define IDS_PROPS_TITLE_PARAMETER       7103
#define IDS_PROPS_TITLE_PROTECT         7104
#define IDS_PROPS_TITLE_COM0            7105
#define IDS_PROPS_TITLE_COM1            7106
#define IDS_PROPS_TITLE_COM2            7107
#define IDS_PROPS_TITLE_LOGO            7108
#define IDS_PROPS_TITLE_HARDWARE        7109
#define IDS_PROPS_FIELD_REFUSED         7110
#define IDS_PROPS_TEMPERATURE_ORDER     7111
#define IDS_PROPS_AQ_VALUE_TIP          7112
#define IDS_PROPS_LOGO_NOT_MONOCHROME   7113
#define IDS_PROPS_LOGO_NOT_BITMAP       7114
#define IDS_PROPS_LOGO_FROM_UPLOAD      7115
#define IDS_PROPS_LOGO_FILTER           7116
#define IDS_PROPS_HW_RESOURCES          7117
#define IDS_PROPS_HW_OWN_MODEL          7118
#define IDS_PROPS_LOGO_NOT_MONOCHROME_DL 7119
#define IDS_PROPS_LETTERS_TIP           7120
#define IDS_PROPS_LOGO_TIP              7121
#define IDS_NEW_PASSWORDS_DIFFER        608
#define IDS_OLD_PASSWORD_WRONG          609
#define IDS_PROGRAM_NAME_LETTERS        614
#define IDS_BLOCK_NOT_SUPPORTED         623
#define IDS_FKEY_NOT_SUPPORTED          618
#define IDS_REFERENCE_NOT_SUPPORTED     619
#define IDS_RICH_TEXT_NOT_SUPPORTED     644
#define IDS_DATALOG_NOT_SUPPORTED       649
// Controls of the pages (numbers repeat across pages: each page has its own)
#define IDC_PP_COMMENT_EDIT             1000
#define IDC_PP_CREATOR                  1040
#define IDC_PP_PROJECT                  1174
#define IDC_PP_INSTALLATION             1175
#define IDC_PP_CUSTOMER                 1043
#define IDC_PP_DIAGRAM_NO               1044
#define IDC_PP_CHECKED                  1045
#define IDC_PP_VERSION1                 1047
#define IDC_PP_VERSION2                 1048
#define IDC_PP_VERSION3                 1049
#define IDC_PP_SHOW_AT_NEW              1215
#define IDC_PP_FOOTNOTE                 1368
#define IDC_PP_REDUNDANCY               1208
#define IDC_PP_SYNC_TIME                1041
#define IDC_PP_SYNC_TIME_LABEL          1192
#define IDC_PP_PASSWORD                 1023
#define IDC_PP_PASSWORD_LABEL           1128
#define IDC_PP_PROGRAM_NAME             1024
#define IDC_PP_NEW_PASSWORD             1025
#define IDC_PP_REPEAT_PASSWORD          1026
#define IDC_PP_AI0_RANGE                1457
#define IDC_PP_AI1_RANGE                1458
#define IDC_PP_AQ_STOP_GROUP            1190
#define IDC_PP_KEEP_LAST_AQ             1232
#define IDC_PP_AQ_FIXED_VALUES          1235
#define IDC_PP_AQ_RANGE_TYPES           1234
#define IDC_PP_AQ_RANGE_GROUP           1196
#define IDC_PP_AI_RANGE_GROUP           1197
#define IDC_PP_AI0_LABEL                1194
#define IDC_PP_AI1_LABEL                1195
#define IDC_PP_AQ_RANGE_FIRST           1200
#define IDC_PP_AQ_VALUE_FIRST           1235
#define IDC_PP_COPY_PROTECT             1375
#define IDC_PP_TEMP_HIGH                1278
#define IDC_PP_TEMP_LOW                 1279
#define IDC_PP_TEMP_HIGH_LABEL          1194
#define IDC_PP_TEMP_LOW_LABEL           1195
#define IDC_PP_COM_MODE                 1216
#define IDC_PP_COM_PROTOCOL             1209
#define IDC_PP_COM_ADDRESS              1170
#define IDC_PP_COM_ADDRESS_LABEL        1201
#define IDC_PP_COM_ADDRESS_NOTE         1202
#define IDC_PP_COM_BAUD                 1211
#define IDC_PP_COM_PARITY               1210
#define IDC_PP_COM_TIMEOUT              1040
#define IDC_PP_COM_TIMEOUT_LABEL        1208
#define IDC_PP_COM_POLL_DELAY           1171
#define IDC_PP_COM_POLL_DELAY_LABEL     1213
#define IDC_PP_COM_REGISTER_INDEX       1214
#define IDC_PP_COM_REGISTER_LABEL       1217
#define IDC_PP_LOGO_PATH                1046
#define IDC_PP_LOGO_OPEN                1322
#define IDC_PP_LOGO_INVERSE             1401
#define IDC_PP_LOGO_PREVIEW_GROUP       1374
#define IDC_PP_LOGO_FRAME               1226
#define IDC_PP_LOGO_UPLOAD_NOTE         1222
#define IDC_PP_DISPLAY_GROUP            1379
#define IDC_PP_DISPLAY_LANGUAGE         1375
#define IDC_PP_LOGO_TIME                1376
#define IDC_PP_CONTRAST                 1377
#define IDC_PP_BACKLIGHT                1378
#define IDC_PP_DISPLAY_LABEL_FIRST      1177
#define IDC_PP_HW_TREE                  1225
#define IDC_PP_HW_RESOURCES             1040


// ---- Device dialogs: transfer, port, I/O monitor, clock, summer/winter time, WiFi, colour
// (ids of this group follow this line)
#define IDD_COM_CONFIG                  126
#define IDD_TRANSFER_PROGRESS           131
#define IDD_PASSWORD                    170
#define IDD_SET_CLOCK                   172
#define IDD_SUMMER_TIME                 211
#define IDD_IO_STATUS                   258
#define IDD_WIFI_SETUP                  543
#define IDD_REMOTE_WIFI                 550
#define IDS_DEV_MAKE_SURE_RESET         5200
#define IDS_DEV_CHARS_ALNUM             5201
#define IDS_DEV_CHARS_KEY               5202
#define IDS_DEV_ENTER_ONE               5203
#define IDS_DEV_ENTER_EIGHT             5204
#define IDS_DEV_PLEASE_ENTER            5205
#define IDS_DEV_PHASE_WRITING           5206
#define IDS_DEV_PHASE_UPLOADING         5207
#define IDS_DEV_PHASE_DOWNLOADING       5208
#define IDS_DEV_WRITING_PROGRAM         5209
#define IDS_DEV_PORT_NONE               5210
#define IDS_DEV_AUTO_DETECT             5211
#define IDS_DEV_CONNECT                 5212
#define IDS_DEV_DISCONNECT              5213
#define IDS_DEV_CLOCK_CAPTION           5214
// Controls of the device dialogs (numbers as the dialogs have always used them)
#define IDC_DEV_PROGRESS_BAR            1001
#define IDC_DEV_PROGRESS_TEXT           1204
#define IDC_DEV_PROGRESS_PERCENT        1127
#define IDC_DEV_PASSWORD_LABEL          1274
#define IDC_DEV_PASSWORD_EDIT           1276
#define IDC_DEV_PORT_GROUP              1075
#define IDC_DEV_PORT_LIST               1231
#define IDC_DEV_CONNECT                 1224
#define IDC_DEV_AUTO_DETECT             1225
#define IDC_DEV_PORT_CANCEL             1014
#define IDC_DEV_HELP                    9
#define IDC_DEV_DATE_PICKER             1056
#define IDC_DEV_DATE_GROUP              1288
#define IDC_DEV_TIME_GROUP              1066
#define IDC_DEV_HOUR                    1321
#define IDC_DEV_HOUR_SPIN               1075
#define IDC_DEV_MINUTE                  1325
#define IDC_DEV_MINUTE_SPIN             1069
#define IDC_DEV_SECOND                  1332
#define IDC_DEV_SECOND_SPIN             1070
#define IDC_DEV_SECOND_LABEL            1065
#define IDC_DEV_CALIBRATION_GROUP       1289
#define IDC_DEV_CALIBRATION             1322
#define IDC_DEV_CALIBRATION_SPIN        1073
#define IDC_DEV_CALIBRATION_LABEL       1330
#define IDC_DEV_CALIBRATION_GET         1074
#define IDC_DEV_CALIBRATION_SET         1072
#define IDC_DEV_CLOCK_READ              1071
#define IDC_DEV_CLOCK_WRITE             1067
#define IDC_DEV_CURRENT_TIME            1068
#define IDC_DEV_SUMMER_ACTIVE           1169
#define IDC_DEV_SUMMER_PRESET           1208
#define IDC_DEV_START_GROUP             1057
#define IDC_DEV_START_MONTH             1161
#define IDC_DEV_START_MONTH_SPIN        1162
#define IDC_DEV_START_DAY               1163
#define IDC_DEV_START_DAY_SPIN          1164
#define IDC_DEV_PICK_START              1322
#define IDC_DEV_END_GROUP               1061
#define IDC_DEV_END_MONTH               1165
#define IDC_DEV_END_MONTH_SPIN          1166
#define IDC_DEV_END_DAY                 1167
#define IDC_DEV_END_DAY_SPIN            1168
#define IDC_DEV_PICK_END                1323
#define IDC_DEV_DIFFERENCE_GROUP        1058
#define IDC_DEV_DIFFERENCE              1170
#define IDC_DEV_DIFFERENCE_SPIN         1171
#define IDC_DEV_WIFI_MASK               1445
#define IDC_DEV_WIFI_IP                 1444
#define IDC_DEV_WIFI_CHANNEL            1449
#define IDC_DEV_WIFI_TXPOWER            1209
#define IDC_DEV_WIFI_LOCAL_PORT         1164
#define IDC_DEV_WIFI_REMOTE_PORT        1166
#define IDC_DEV_WIFI_DEVICE_ID          1163
#define IDC_DEV_WIFI_PASSWORD           1162
#define IDC_DEV_WIFI_SSID               1448
#define IDC_DEV_WIFI_ENCRYPTION         1232
#define IDC_DEV_WIFI_MODE               1317
#define IDC_DEV_WIFI_DHCP               1451
#define IDC_DEV_WIFI_FIXED_IP           1457
#define IDC_DEV_WIFI_MAC                1165
#define IDC_DEV_WIFI_DEVICE_ID_LABEL    1436
#define IDC_DEV_WIFI_IP_LABEL           1452
#define IDC_DEV_WIFI_MASK_LABEL         1453
#define IDC_DEV_WIFI_ADDRESS_GROUP      1454
#define IDC_DEV_WIFI_PORT_GROUP         1356
#define IDC_DEV_WIFI_LOCAL_LABEL        1455
#define IDC_DEV_WIFI_REMOTE_LABEL       1456
#define IDC_DEV_REMOTE_MODE             1210
#define IDC_DEV_REMOTE_SLEEP            1211
#define IDC_DEV_REMOTE_LED_OFF          1166
#define IDC_DEV_REMOTE_LED_ON           1164
#define IDC_DEV_REMOTE_KEY              1167
#define IDC_DEV_FACTORY_RESET           10
#define IDC_DEV_IO_GRID                 1123
#define IDC_DEV_IO_ADDRESS              1170
#define IDC_DEV_IO_PORT                 1231
#define IDC_DEV_IO_BAUD                 1211
#define IDC_DEV_IO_PARITY               1210
#define IDC_DEV_IO_DELAY                1171
#define IDC_DEV_IO_SHOW_IO              1431
#define IDC_DEV_IO_SHOW_FLAGS           1433
#define IDC_DEV_IO_SHOW_ANALOG_FLAGS    1436
#define IDC_DEV_IO_TIME                 1432
#define IDC_DEV_IO_REFRESH              1250
#define IDC_DEV_IO_REFRESH_SPIN         1251
#define IDC_DEV_IO_CONNECT              1224


// ---- Block property sheets and their pages
// (ids of this group follow this line)
#define IDD_COMMENT                     106
#define IDD_BASIC_FUN_PAR               4566
#define IDD_BOOLEAN                     4589
#define IDD_ANALOG_COMPARATOR           4561
#define IDD_MASK                        4593
#define IDD_MASK_BITS                   334
#define IDD_MAX_MIN                     4584
#define IDD_AMATH_MUX                   4580
#define IDD_MATH_ERR                    4585
#define IDD_ARAMP                       4586
#define IDD_MEM                         4594
#define IDD_PI                          4587
#define IDD_PWM                         4588
#define IDD_ARRMXIV                     4591
#define IDD_SELECT_BLOCK                235
#define IDS_SENSOR_VOLT_10              27200
#define IDS_SENSOR_MA_20                27201
#define IDS_SENSOR_MA_4_20              27202
#define IDS_SENSOR_PT100_PT1000         27203
#define IDS_SENSOR_PT100                27204
#define IDS_SENSOR_NONE                 27205
#define IDS_PI_SET_TEMP_FAST            27210
#define IDS_PI_SET_TEMP_SLOW            27211
#define IDS_PI_SET_PRESSURE_1           27212
#define IDS_PI_SET_PRESSURE_2           27213
#define IDS_PI_SET_LEVEL_1              27214
#define IDS_PI_SET_LEVEL_2              27215
#define IDS_PI_SET_USER                 27216
#define IDS_PWM_OUTPUT_DISABLE          27220
#define IDS_PWM_BASE_100MS              27221
#define IDS_ARR_MAXIMUM                 27230
#define IDS_ARR_MINIMUM                 27231
#define IDS_ARR_AVERAGE                 27232
#define IDS_ARR_HALF_STEP               27233
#define IDS_ARR_FULL_STEP               27234
#define IDS_ARR_MODE                    27235
#define IDS_ARR_TYPE                    27236
#define IDS_ARR_DATA_ADDRESS            27237
#define IDS_ARR_PIN                     27238
#define IDS_ARR_COUNT                   27239
#define IDS_ARR_SPEED                   27240
#define IDS_ARR_PULSE_WIDTH             27241
#define IDS_ARR_STEPS                   27242
#define IDS_ARR_NUMBER                  27243
#define IDS_ARR_OUTPUTS_LOW             27244
#define IDS_ARR_OUTPUTS_HIGH            27245
#define IDS_ARR_RPM                     27246
#define IDS_ARR_RPM_ZERO                27247
#define IDS_ARR_HZ                      27248
#define IDS_ARR_HZ_ZERO                 27249
#define IDS_ARR_HALF_STEP_TIME          27250
#define IDS_ARR_FULL_STEP_TIME          27251


// ---- Math function pages: the quadratic equation and the average value
// (ids of this group follow this line)
#define IDD_AVGVAL                      4583
#define IDD_QUAD                        4592
#define IDS_AVGVAL_DAYS                 27290
#define IDS_AVGVAL_HOURS                27291
#define IDS_AVGVAL_MINUTES              27292
#define IDS_AVGVAL_SECONDS              27293


// ---- Block property sheets, second set
// (ids of this group follow this line)
#define IDD_SPECIAL_FUN_PAR             4565
#define IDD_SPECIAL_FUN_PAR2            4552
#define IDD_SPECIAL_PAR3                4553
#define IDD_SPECIAL_PAR4                4554
#define IDS_TIME_BASE_HOURS             27300
#define IDS_TIME_BASE_MINUTES           27301
#define IDS_TIME_BASE_SECONDS           27302
#define IDS_TIME_UNIT_MINUTES           27303
#define IDS_TIME_UNIT_SECONDS           27304
#define IDS_TIME_UNIT_MILLISECONDS      27305
#define IDS_TIMER_ON_DELAY              27306
#define IDS_TIMER_OFF_DELAY             27307
#define IDS_TIMER_OFF_TIME_TL           27308
#define IDS_TIMER_ON_TIME_TH            27309
#define IDS_TIMER_PULSE_WIDTH_TH        27310
#define IDS_TIMER_INTERPULSE_TL         27311
#define IDS_TIMER_MAX_ON_DELAY_TH       27312
#define IDS_TIMER_MAX_OFF_DELAY_TL      27313
#define IDD_WEEKLY_GENERAL              4556
#define IDD_WEEKLY_CAMS                 4555
#define IDD_YEARLY_TIMER                4557
#define IDD_DATE_SELECT                 225
#define IDD_ASTRO_CLOCK                 4581
#define IDS_YEARLY_CALENDAR             27314
#define IDS_ASTRO_SAVE                  27315
#define IDS_ASTRO_UPDATE                27316
#define IDS_ASTRO_ENTER_LOCATION        27317
#define IDS_ASTRO_CITY_EXISTS           27318
#define IDS_ASTRO_SAVED                 27319
#define IDS_ASTRO_NAME_TOO_LONG         27320
#define IDD_UP_DOWN_COUNTER             4558
#define IDD_HOURS_COUNTER               4559
#define IDD_THRESHOLD_TRIGGER           4560
#define IDD_STOP_WATCH                  4582
#define IDS_HOURS_UNIT                  27321
#define IDS_TRIGGER_SECONDS             27322
#define IDS_TRIGGER_MILLISECONDS        27323
#define IDS_STOPWATCH_HOURS             27324
#define IDS_STOPWATCH_MINUTES           27325
#define IDS_STOPWATCH_SECONDS           27326
#define IDS_STOPWATCH_10MS              27327
#define IDS_STOPWATCH_SAMPLES           27328
#define IDS_STOPWATCH_BASE              27329
#define IDD_CONSTANTS_IO_PAR            4576
#define IDD_CONSTANTS_PAR               4551
#define IDD_SIMULATION                  4567
#define IDD_MISC_RELAY                  4562
#define IDS_IO_INPUT_NUMBER             27330
#define IDS_IO_OUTPUT_NUMBER            27331
#define IDS_IO_FLAG_NUMBER              27332
#define IDS_IO_FLAG_NOTE                27333
#define IDD_WIFI                        4597
#define IDD_UDC                         4590
#define IDD_MODBUS                      4574
#define IDD_SET_COIL_STATE              223
#define IDS_WIFI_WRITE_TO               27334
#define IDS_WIFI_BLOCK_TYPE             27335
#define IDS_WIFI_DIAGNOSTIC_TYPE        27336
#define IDS_WIFI_INPUT                  27337
#define IDS_WIFI_OUTPUT                 27338
#define IDS_WIFI_ANALOG_INPUT           27339
#define IDS_WIFI_ANALOG_OUTPUT          27340
#define IDS_WIFI_STATUS                 27341
#define IDS_UDC_HEX_RANGE               27342
#define IDS_MODBUS_HEX_RANGE            27343
#define IDS_MODBUS_READ_COILS           27344
#define IDS_MODBUS_READ_INPUTS          27345
#define IDS_MODBUS_READ_HOLDING         27346
#define IDS_MODBUS_READ_INPUT_REGS      27347
#define IDS_MODBUS_WRITE_COIL           27348
#define IDS_MODBUS_WRITE_REGISTER       27349
#define IDS_MODBUS_WRITE_COILS          27350
#define IDS_MODBUS_WRITE_REGISTERS      27351
#define IDD_DATA_LOG                    4595
#define IDS_DATALOG_BLOCK               27352
#define IDS_DATALOG_PARAMETER           27353
#define IDD_LADDER_OPERAND              4579


// ---- The grid control
// (ids of this group follow this line)


// ---- Message texts: editor pages, field dialogs, settings, live display
// (ids of this group follow this line)
#define IDD_MT_SETTINGS                 347
#define IDD_MT_SPECIAL_CHARS            381
#define IDD_MT_GAUGE                    382
#define IDD_MT_SCALE_TIME               383
#define IDD_MT_IOSN                     384
#define IDD_MT_GRAPH                    385
#define IDD_MT_EDITOR_OLD               4564
#define IDD_MT_EDITOR                   4596
// Pictures of graph fields: icons 386 + picture number (0-29).
#define IDI_MT_PICTURE_FIRST            386
#define IDI_MT_SCOPE                    422
#define IDI_MT_POINTER                  420
#define IDS_MT_SELECT_BLOCK             27400
#define IDS_MT_MAX_ABOVE_MIN            27401
#define IDS_MT_SCOPE_CAPTION            27402
#define IDS_MT_POINTER_CAPTION          27403
#define IDS_MT_TIME_LABEL               27404
#define IDS_MT_TIMEBASE_FIRST           27405
// 27405-27408: Hours, Minutes, Seconds, 10 Milliseconds
#define IDS_MT_IO_TYPE_FIRST            27410
// 27410-27415: the bit types of the I/O status name dialog
#define IDS_MT_IOSN_INVALID             27416
#define IDS_MT_TICKER_INTERVAL          27417
#define IDS_MT_CHARSET_CHANGE           27418
#define IDS_MT_CHARSET_DESC_FIRST       27419
// 27419-27421: descriptions of the character sets SC, TC, Others
#define IDS_MT_CHARSET_NAME_FIRST       27422
// 27422-27424: names of the character sets after the set radios of the editor
#define IDS_MT_CANNOT_INSERT            27425
#define IDS_MT_CANNOT_INSERT_AT         27426
#define IDS_MT_NO_ACTUAL_VALUE          27427
#define IDS_MT_NO_AI                    27428
#define IDS_MT_NO_AM                    27429
#define IDS_MT_MAX_GAUGES               27430
#define IDS_MT_BAR_GRAPHS               27431
#define IDS_MT_SCOPES                   27432
#define IDS_MT_POINTERS                 27433
#define IDS_MT_MAX_SCALE_TIMES          27434
#define IDS_MT_MAX_GRAPHS               27435
#define IDS_MT_CLEAR_SET                27436
#define IDS_MT_TIP_PRIORITY             27437
#define IDS_MT_TIP_ACKNOWLEDGE          27438
#define IDS_MT_TIP_DOUBLE_CLICK         27439
#define IDS_MT_TIP_INSERT_PARAMETER     27440
#define IDS_MT_TIP_SPECIAL              27441
#define IDS_MT_TIP_BAR                  27442
#define IDS_MT_TIP_AI                   27443
#define IDS_MT_TIP_ONOFF                27444
#define IDS_MT_TIP_SCALE_TIME           27445
#define IDS_MT_TIP_AM                   27446
#define IDS_MT_TIP_SCOPE                27447
#define IDS_MT_TIP_POINTER              27448
#define IDS_MT_TIP_GRAPH                27449
#define IDS_MT_SHORT_TEXT_FIRST         27450
// 27450-27457: short texts of items 12, 13, 19, 30, 33, 37, 38, 77 in the editor's fields
#define IDS_MT_EDIT_RANGE               27460
#define IDS_MT_EDIT_DATE_RANGE          27461
#define IDS_MT_EDIT_HEX                 27462
#define IDS_MT_EDIT_NONZERO             27463
#define IDS_MT_EDIT_REAL_RANGE          27464
#define IDS_MT_PAGE_CAPTION             27465
#define IDS_MT_DETAILS                  27466

// Printing of the grid control
#define IDS_GRID_PRINT_PAGE             27900


// ---- Printing of a diagram: the print setup and page layout dialogs
// (ids of this group follow this line)
#define IDD_PAGE_LAYOUT                 139
#define IDD_PRINT_SETUP                 202
#define IDS_PAGE_LAYOUT_TOO_MANY        4720
#define IDS_PAGE_LAYOUT_BLOCKS_OUTSIDE  4721
#define IDS_PAGE_LAYOUT_WIRES_OUTSIDE   4722
#define IDS_PAGE_LAYOUT_TITLE           4723
#define IDC_PS_SETUP                    3
#define IDC_PS_PAPER_A4                 1034
#define IDC_PS_PAPER_A3                 1035
#define IDC_PS_PAPER_A2                 1036
#define IDC_PS_PRINTER_NAME             1056
#define IDC_PS_PAPER_NAME               1057
#define IDC_PS_PRINT_PARAMS             1058
#define IDC_PS_FACTOR                   1061
#define IDC_PS_HORIZONTAL               1264
#define IDC_PS_VERTICAL                 1265
#define IDC_PS_SCALE_PAPER              1268
#define IDC_PS_SCALE_PAGE               1269
#define IDC_PS_SCALING                  1270
#define IDC_PL_USE_AS_DEFAULT           1004
#define IDC_PL_PREVIEW                  1005
#define IDC_PL_ACROSS                   3500
#define IDC_PL_DOWN                     3502


// ---- The free comment's sheet: its page, the Font... button and the sheet's texts
// (ids of this group follow this line)
#define IDD_INS_COMMENTS                4578
#define IDC_INS_COMMENTS_FONT           1322
#define IDS_INS_COMMENTS_CAPTION        27260
#define IDS_INS_COMMENTS_OK             27261
#define IDS_INS_COMMENTS_CANCEL         27262
#define IDS_INS_COMMENTS_HELP           27263
// The buttons of every property sheet (the framework loads them by these numbers)
#define IDS_SHEET_BUTTON_OK             61472
#define IDS_SHEET_BUTTON_CANCEL         61473
#define IDS_SHEET_BUTTON_APPLY          61474
#define IDS_SHEET_BUTTON_HELP           61475
// The level labels the analog watchdog and differential trigger pages set, and the cam tabs
// of the weekly timer (numbered where the interface language does so)
#define IDS_LEVEL_THRESHOLD_DIFF        27264
#define IDS_LEVEL_THRESHOLD_UPPER       27265
#define IDS_LEVEL_THRESHOLD_LOWER       27266
#define IDS_LEVEL_DIFFERENTIAL          27267
#define IDS_WEEKLY_CAM1                 27268
#define IDS_WEEKLY_CAM2                 27269
#define IDS_WEEKLY_CAM3                 27270


#endif
