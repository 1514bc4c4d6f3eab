// The translation settings dialog. Created once at start-up, it loads "Vestrel.ini" and
// then holds the live settings: every translation reads its controls.
#pragma once

#include <QDialog>

#include "translator/run/translation.h"

class QCheckBox;
class QSpinBox;
class QTabWidget;

namespace vestrel::workbench {

class UserDialogs;

class TTranslatePagesDlg final : public QDialog {
    Q_OBJECT
public:
    TTranslatePagesDlg(UserDialogs& dialogs, const QString& iniPath, QWidget* parent = nullptr);

    const QString& iniPath() const { return m_iniPath; }
    // The four settings as the controls hold them now.
    TranslationOptions options() const;

    void OKBtnClick();
    void CancelBtnClick();
    // Esc and the title-bar close box count as "Отмена".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void setControls(const TranslationOptions& options);
    void reportUnwritable();

    UserDialogs& m_dialogs;
    QString m_iniPath;
    QTabWidget* PageControl1;
    QCheckBox* CommentCheckBox;
    QCheckBox* ProgCodeCheckBox;
    QSpinBox* TicCSpinEdit;
    QSpinBox* ScalingCSpinEdit;
    TranslationOptions m_snapshot;
};

}  // namespace vestrel::workbench
