#pragma once

#include <QDialog>
#include <QString>

namespace XQTestDev {

// The About window (frmAbout): the maker's logo, the library's name and
// "Version " with its version number, and an OK button.
class AboutWindow : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(const QString& version, QWidget* parent = nullptr);
    ~AboutWindow() override;
};

} // namespace XQTestDev
