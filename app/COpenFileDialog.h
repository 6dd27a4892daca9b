#pragma once
// The dialog of File > Open and File > Open Reference. The toolkit reads file
// names as UTF-8 and neither lists nor gives back a name that is not (windows-1251
// or cp866 names from old disks). This dialog takes such a name typed as other
// programs show it, with a replacement character for each byte that is not UTF-8,
// and gives back the bytes of the one entry of its folder that shows so.

#include "platform/CFileDialog.h"

class COpenFileDialog : public CFileDialog {
public:
    // lpszDefExt and dwFlags as for CFileDialog.
    COpenFileDialog(LPCSTR lpszDefExt, DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd);

protected:
    QFileDialog* CreateFileDialog(QWidget* pParent) override;
    std::string GetChosenPath(const QString& chosen) const override;
};
