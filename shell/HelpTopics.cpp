// Help topics: one HTML page per block type in a help folder installed with the program, opened
// in the desktop's default handler for HTML pages.
#include "shell/HelpTopics.h"

#include "platform/base/FileSystem.h"
#include "resources/resource.h"
#include "shell/EditorApp.h"
#include "shell/MainFrame.h"

#include <gio/gio.h>

CMap<UINT, UINT, CString, LPCTSTR> g_mapHelpTopic(10);

namespace {

BOOL OpenWithDesktop(const CString& path)
{
    GFile* file = g_file_new_for_path(ToNativePath(path).c_str());
    gchar* uri = g_file_get_uri(file);
    GError* error = nullptr;
    const gboolean ok = g_app_info_launch_default_for_uri(uri, nullptr, &error);
    if (error)
        g_error_free(error);
    g_free(uri);
    g_object_unref(file);
    return ok ? TRUE : FALSE;
}

HelpPageOpener s_opener = &OpenWithDesktop;

} // namespace

HelpPageOpener SetHelpPageOpener(HelpPageOpener opener)
{
    HelpPageOpener old = s_opener;
    s_opener = opener ? opener : &OpenWithDesktop;
    return old;
}

void CEditorApp::BuildHelpTopicMap()
{
    static const struct { UINT id; const wchar_t* page; } topics[] = {
        {1000, L"TAN.htm"},
        {1001, L"Stopwatch.htm"},
        {1002, L"Stairway Lighting Switch.htm"},
        {1003, L"Stepping Motor Control.htm"},
        {1004, L"Stepping Motor Control _ Edge.htm"},
        {1005, L"SQRT.htm"},
        {1006, L"SIN.htm"},
        {1007, L"SHR.htm"},
        {1008, L"SHL.htm"},
        {1009, L"Shift register.htm"},
        {1010, L"Shift register bits.htm"},
        {1017, L"ABS.htm"},
        {1018, L"ACMX_MI_AV.htm"},
        {1019, L"Analog amplifier.htm"},
        {1020, L"Analog comparator.htm"},
        {1021, L"Analog differential trigger.htm"},
        {1022, L"Analog filter.htm"},
        {1023, L"Analog inputs.htm"},
        {1024, L"Analog MUX.htm"},
        {1025, L"Analog outputs.htm"},
        {1026, L"Analog Ramp.htm"},
        {1027, L"Analog threshold trigger.htm"},
        {1028, L"Analog watchdog.htm"},
        {1029, L"AND with edge evaluation.htm"},
        {1030, L"AND.htm"},
        {1031, L"AND_MASK.htm"},
        {1032, L"ARRMX_MI_AV.htm"},
        {1033, L"Astronomical clock.htm"},
        {1034, L"Asynchronous Pulse Generator.htm"},
        {1035, L"Average Value.htm"},
        {1036, L"BCD.htm"},
        {1037, L"BIN.htm"},
        {1038, L"COS.htm"},
        {1039, L"COT.htm"},
        {1040, L"CRC16.htm"},
        {1041, L"CSC.htm"},
        {1042, L"Data Log.htm"},
        {1043, L"Edge triggered wiping relay.htm"},
        {1044, L"ENCODER.htm"},
        {1045, L"EVEN.htm"},
        {1046, L"EXP.htm"},
        {1047, L"FIX.htm"},
        {1048, L"Flags.htm"},
        {1049, L"Function Keys.htm"},
        {1050, L"GCD.htm"},
        {1051, L"Hours counter.htm"},
        {1052, L"Inputs.htm"},
        {1053, L"Latching relay.htm"},
        {1054, L"LCM.htm"},
        {1055, L"LOG.htm"},
        {1056, L"MathDetection.htm"},
        {1057, L"Mathematical instruction.htm"},
        {1058, L"Max_Min.htm"},
        {1059, L"MEM.htm"},
        {1060, L"Message text.htm"},
        {1061, L"MOD.htm"},
        {1062, L"Modbus Read.htm"},
        {1063, L"Modbus Write.htm"},
        {1064, L"Multiple Function Switch.htm"},
        {1065, L"NAND with edge evaluation.htm"},
        {1066, L"NAND.htm"},
        {1067, L"NAND_MASK.htm"},
        {1068, L"NOR.htm"},
        {1069, L"NOR_MASK.htm"},
        {1070, L"NOT.htm"},
        {1071, L"NOT_MASK.htm"},
        {1072, L"ODD.htm"},
        {1073, L"Off-Delay.htm"},
        {1074, L"On-Off-Delay.htm"},
        {1075, L"On_Delay.htm"},
        {1076, L"Open connectors.htm"},
        {1077, L"OR.htm"},
        {1078, L"OR_MASK.htm"},
        {1079, L"Outputs.htm"},
        {1080, L"Permanent logical levels.htm"},
        {1081, L"PI controller.htm"},
        {1082, L"POW2.htm"},
        {1083, L"PTO.htm"},
        {1084, L"PTOE.htm"},
        {1085, L"Pulse relay.htm"},
        {1086, L"PWM.htm"},
        {1087, L"Quadratic equation.htm"},
        {1088, L"RAND.htm"},
        {1089, L"Random Generator.htm"},
        {1091, L"REM.htm"},
        {1092, L"Retentive On-Delay.htm"},
        {1093, L"ROL.htm"},
        {1094, L"ROR.htm"},
        {1095, L"ROUND.htm"},
        {1096, L"SEC.htm"},
        {1097, L"SEG.htm"},
        {1098, L"TDT.htm"},
        {1099, L"Threshold trigger.htm"},
        {1100, L"UDC.htm"},
        {1101, L"Up_Down Counter.htm"},
        {1103, L"Wiping relay.htm"},
        {1104, L"Word to Bit.htm"},
        {1105, L"XOR.htm"},
        {1106, L"XOR_MASK.htm"},
        {1107, L"Yearly timer.htm"},
        {1108, L"Boolean function.htm"},
        {1110, L"Weekly timer.htm"},
        {1113, L"Wifi Digital Read.htm"},
        {1114, L"Wifi Digital Write.htm"},
        {1115, L"Wifi Analog Read.htm"},
        {1116, L"Wifi Analog Write.htm"},
    };
    g_mapHelpTopic.RemoveAll();
    g_mapHelpTopic.InitHashTable(125);
    for (const auto& t : topics)
        g_mapHelpTopic.SetAt(t.id, t.page);
}

CString CEditorApp::GetHelpFolder() const
{
    return GetProgramFolder() + (g_nLanguage == 1 ? L"help/VOLMERAEDITOR_GBK/" : L"help/VOLMERAEDITOR/");
}

void CEditorApp::ShowBlockHelp(UINT nHelpId)
{
    const CString folder = GetHelpFolder();
    CString page;
    g_mapHelpTopic.Lookup(nHelpId, page);
    CString path = folder + (page.IsEmpty() ? CString(L"index.htm") : page);
    if (!PathFileExistsW(path)) {
        CString text;
        text.Format(AfxLoadString(IDS_HELP_NOT_FOUND), LPCTSTR(PathFileExistsW(folder) ? path : folder));
        AfxMessageBox(text, MB_OK);
        return;
    }
    if (!s_opener(path)) {
        CString text;
        text.Format(AfxLoadString(IDS_HELP_NOT_OPENED), LPCTSTR(path));
        AfxMessageBox(text, MB_ICONEXCLAMATION);
    }
}
