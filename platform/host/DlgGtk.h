// GTK versions of what the dialog layer leaves to the display host: the common dialogs (GTK's
// file, colour, font and page setup dialogs) and the system clipboard (text as UTF-8, the
// program's registered formats under private MIME types shared by running instances).
#pragma once

// Installs both; call once after the GTK host is installed.
void AfxInstallGtkDialogs();
void AfxInstallGtkCommonDialogs();
void AfxInstallGtkClipboard();
