#pragma once

#include <XQTestDev/Enums.h>
#include <XQTestDev/Export.h>

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

namespace XQTestDev {

class XQUtility32Private;

// Station configuration files, the InfoBox dialog and the library's shared
// windows. Every XQUtility32 object shares one library-wide state: setting
// INIPath on one of them sets it for all.
class XQTESTDEV_EXPORT XQUtility32 : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(XQUtility32)

public:
    explicit XQUtility32(QObject* parent = nullptr);
    ~XQUtility32() override;

    QString GetDLLVersion() const;

    // Configuration files: ATE.INI, PRODUCTS.INI and the results file.
    QString ReadINI(bool From_ATE_INI, const QString& strSectionName, const QString& strKeyName);
    void WriteINI(bool To_ATE_INI, const QString& strSectionName, const QString& strKeyName,
                  const QString& strValue);
    QString GetINIVersion(const QString& ProductName = QString());
    void OpenINI(bool Open_ATE_INI);
    void UpdateINI(const QString& NewINIPath = QString());
    QString INIPath() const;
    void setINIPath(const QString& path);
    QString AppPath() const;
    void setAppPath(const QString& path);

    // The admin password that guards changed configuration files; kept in
    // memory only. Fewer than 5 characters are refused.
    QString AdminPassword() const;
    void setAdminPassword(const QString& password);

    // The library's own message dialog. MsgReturn carries the input box's
    // initial text in and the typed text out.
    int InfoBox(const QString& PicturePathOrMessage = QString(), vbMyMsgBoxStyle Buttons = vbOKOnly,
                bool ShowInputBox = false, QVariant* MsgReturn = nullptr, bool LockInputBox = false,
                Positions Position = Center, bool NoModal = false,
                const QString& PasswordChar = QString());

    // Waits the given seconds while windows and timers keep running.
    void Delay(double Second);

    // Writes line 0 to 3 of the status message window.
    void SendStatusMessage(const QString& Message, int LineNumber = 0,
                           bool ClearAllMessage = false);

    // The full-screen background behind the station's windows; its colour
    // is 0x00BBGGRR, shared by every object.
    void ShowBackground();
    void HideBackground();
    int BackgroundColor() const;
    void setBackgroundColor(int color);

    // Modal windows: the About box and the big verdict at the end of a run.
    void ShowAbout();
    void ShowBigPass();
    void ShowBigFail();

private:
    std::unique_ptr<XQUtility32Private> d;
};

} // namespace XQTestDev
