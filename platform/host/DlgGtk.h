// GTK versions of what the dialog layer leaves to the display host: the common dialogs (GTK's
// file, colour, font and page setup dialogs) and the system clipboard (text as UTF-8, the
// program's registered formats under private MIME types shared by running instances).
#pragma once

#include <string>

// Installs both; call once after the GTK host is installed.
void AfxInstallGtkDialogs();
void AfxInstallGtkCommonDialogs();
void AfxInstallGtkClipboard();

// The PRIMARY selection (what is selected, pasted with the middle button), as text: reading
// waits a second or two at most for its owner.
bool AfxGtkPrimaryText(std::wstring& text);
void AfxGtkSetPrimaryText(const std::wstring& text);
