// The translation settings dialog and its ini file.
#include "workbench/translate_pages_dlg.h"

#include <algorithm>

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "settings/ini_store.h"
#include "settings/translation_settings.h"
#include "workbench/text_conversion.h"
#include "workbench/user_dialogs.h"
#include "workbench/workbench_texts.h"

namespace vestrel::workbench {
using texts::qs;

namespace {

constexpr char kCaption[] = "Параметры трансляции";
constexpr char kFormatPage[] = "Параметры перевода";
constexpr char kFormatGroup[] = "Формат перевода";
constexpr char kCommentCaption[] = "Добавлять комментарий";
constexpr char kProgramTextCaption[] = "Добавлять текст программы";
constexpr char kTimePage[] = "Параметры времени";
constexpr char kTickLabel[] = "Разрешение ( 1 тик)=";
constexpr char kTickUnit[] = "мс";
constexpr char kPeriodLabel[] = "Период пересчета =  ";
constexpr char kCancelCaption[] = "Отмена";
constexpr int kWidth = 260;
constexpr int kHeight = 263;

// A spin box whose text is not a whole number reads as the bottom of its range.
int spinValue(const QSpinBox& spin) {
    bool number = false;
    const int value = spin.cleanText().toInt(&number);
    if (!number) return spin.minimum();
    return std::clamp(value, spin.minimum(), spin.maximum());
}

QSpinBox* makeSpin(const QString& name, int minimum, int maximum, int value, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(1);
    spin->setValue(value);
    // Typed text that is out of range ("5" while the range starts at 55) is taken as the
    // nearest end of the range when editing ends, not thrown away for the old value.
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return spin;
}

}  // namespace

TTranslatePagesDlg::TTranslatePagesDlg(UserDialogs& dialogs, const QString& iniPath, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_iniPath(iniPath) {
    setObjectName(QStringLiteral("TranslatePagesDlg"));
    setWindowTitle(qs(kCaption));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setUsesScrollButtons(false);  // both tabs stay in view

    auto* formatPage = new QWidget;
    formatPage->setObjectName(QStringLiteral("TabSheet1"));
    auto* group = new QGroupBox(qs(kFormatGroup), formatPage);
    group->setObjectName(QStringLiteral("GroupBox1"));
    CommentCheckBox = new QCheckBox(qs(kCommentCaption), group);
    CommentCheckBox->setObjectName(QStringLiteral("CommentCheckBox"));
    ProgCodeCheckBox = new QCheckBox(qs(kProgramTextCaption), group);
    ProgCodeCheckBox->setObjectName(QStringLiteral("ProgCodeCheckBox"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(CommentCheckBox);
    groupLayout->addWidget(ProgCodeCheckBox);
    auto* formatLayout = new QVBoxLayout(formatPage);
    formatLayout->addWidget(group);
    formatLayout->addStretch(1);
    PageControl1->addTab(formatPage, qs(kFormatPage));

    auto* timePage = new QWidget;
    timePage->setObjectName(QStringLiteral("TabSheet2"));
    TicCSpinEdit = makeSpin(QStringLiteral("TicCSpinEdit"), TranslationOptions::kTickMin, TranslationOptions::kTickMax,
                            TranslationOptions::kTickDefault, timePage);
    ScalingCSpinEdit = makeSpin(QStringLiteral("ScalingCSpinEdit"), TranslationOptions::kPeriodMin,
                                TranslationOptions::kPeriodMax, TranslationOptions::kPeriodDefault, timePage);
    auto* timeLayout = new QGridLayout(timePage);
    timeLayout->addWidget(new QLabel(qs(kTickLabel), timePage), 0, 0);
    timeLayout->addWidget(TicCSpinEdit, 0, 1);
    timeLayout->addWidget(new QLabel(qs(kTickUnit), timePage), 0, 2);
    timeLayout->addWidget(new QLabel(qs(kPeriodLabel), timePage), 1, 0);
    timeLayout->addWidget(ScalingCSpinEdit, 1, 1);
    timeLayout->setRowStretch(2, 1);
    PageControl1->addTab(timePage, qs(kTimePage));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(qs(kCancelCaption), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &TTranslatePagesDlg::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &TTranslatePagesDlg::CancelBtnClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);

    // The dialog keeps its design size unless the platform's font needs more room.
    setFixedSize(sizeHint().expandedTo(QSize(kWidth, kHeight)));

    // The controls start at their design values (on, on, 55, 10); the file may change them.
    CommentCheckBox->setChecked(true);
    ProgCodeCheckBox->setChecked(true);
    FormCreate();
    m_snapshot = options();
}

TranslationOptions TTranslatePagesDlg::options() const {
    TranslationOptions options;
    options.AddComment = CommentCheckBox->isChecked();
    options.AddProgramText = ProgCodeCheckBox->isChecked();
    options.TickResolution = spinValue(*TicCSpinEdit);
    options.RecalcPeriod = spinValue(*ScalingCSpinEdit);
    return options;
}

void TTranslatePagesDlg::setControls(const TranslationOptions& options) {
    CommentCheckBox->setChecked(options.AddComment);
    ProgCodeCheckBox->setChecked(options.AddProgramText);
    TicCSpinEdit->setValue(options.TickResolution);
    ScalingCSpinEdit->setValue(options.RecalcPeriod);
}

void TTranslatePagesDlg::FormCreate() {
    settings::IniStore store(nativePath(m_iniPath));
    bool written = false;
    if (store.exists()) {
        const TranslationOptions designValues = options();
        setControls(settings::readTranslationOptions(store));
        written = settings::addMissingKeys(store, designValues);
    } else {
        settings::writeTranslationOptions(store, options());
        written = true;
    }
    std::string error;
    if (written && !store.flush(&error)) reportUnwritable();
}

void TTranslatePagesDlg::reportUnwritable() {
    // The store's own reason is English; the user is told in the workbench's words.
    m_dialogs.error(QString::fromUtf8(texts::kCannotWriteSettings) + m_iniPath);
}

void TTranslatePagesDlg::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TTranslatePagesDlg::FormShow() { m_snapshot = options(); }

void TTranslatePagesDlg::OKBtnClick() {
    settings::IniStore store(nativePath(m_iniPath));
    settings::writeTranslationOptions(store, options());
    std::string error;
    // A failed write leaves the edited values in the controls; the dialog closes anyway.
    if (!store.flush(&error)) reportUnwritable();
    accept();
}

void TTranslatePagesDlg::CancelBtnClick() { reject(); }

void TTranslatePagesDlg::reject() {
    setControls(m_snapshot);
    QDialog::reject();
}

}  // namespace vestrel::workbench
