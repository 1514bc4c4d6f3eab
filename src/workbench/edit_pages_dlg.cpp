// The editor parameters dialog.
#include "workbench/edit_pages_dlg.h"

#include <algorithm>

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "workbench/colour_grid.h"
#include "workbench/workbench_texts.h"

namespace vestrel::workbench {
using texts::qs;

namespace {

constexpr char kCaption[] = "Параметры редактора";
constexpr char kKorvelPage[] = "Язык Korvel";
constexpr char kIlPage[] = "Язык Dravo IL";
constexpr char kFontGroup[] = "Параметры шрифта";
constexpr char kBold[] = "Жирный";
constexpr char kItalic[] = "Наклонный";
constexpr char kUnderline[] = "Подчеркивание";
constexpr char kDefaults[] = "Цвета по умолчанию";
constexpr char kKorvelExampleHint[] = "Примеры структур языка Korvel";
constexpr char kIlExample[] = "PROGRAM Пример\n (* комментарий *)\n  LD I1; AND I2; ST Q1";
constexpr char kCancelCaption[] = "Отмена";
constexpr char kHelpCaption[] = "&Помощь";

// A style check box shows its caption in the style it stands for.
QCheckBox* styleCheckBox(const QString& name, const char* caption, QWidget* parent, void (QFont::*apply)(bool)) {
    auto* box = new QCheckBox(qs(caption), parent);
    box->setObjectName(name);
    QFont font = box->font();
    (font.*apply)(true);
    box->setFont(font);
    return box;
}

}  // namespace

TEditPagesDlg::TEditPagesDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EditPagesDlg"));
    setWindowTitle(qs(kCaption));

    m_korvelPage.table = m_korvel;
    m_korvelPage.defaultTable = kKorvelDefaults;
    m_ilPage.table = m_il;
    m_ilPage.defaultTable = kIlDefaults;

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildPage(m_korvelPage, QStringLiteral("Korvel"), kKorvelElementNames), qs(kKorvelPage));
    PageControl1->addTab(buildPage(m_ilPage, QStringLiteral("IL"), kIlElementNames), qs(kIlPage));
    m_korvelPage.example->setReadOnly(true);
    m_korvelPage.example->setToolTip(qs(kKorvelExampleHint));
    m_ilPage.example->setPlainText(qs(kIlExample));
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int index) { pageShown(index == 0 ? m_korvelPage : m_ilPage); });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(qs(kCancelCaption), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto* help = new QPushButton(qs(kHelpCaption), this);
    help->setObjectName(QStringLiteral("HelpBtn"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &TEditPagesDlg::CancelBtnClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    loadDefaults(m_korvelPage);
    loadDefaults(m_ilPage);
}

QWidget* TEditPagesDlg::buildPage(Page& page, const QString& prefix, std::span<const char* const> names) {
    page.sheet = new QWidget;
    page.sheet->setObjectName(prefix + QStringLiteral("TabSheet"));
    page.list = new QListWidget(page.sheet);
    page.list->setObjectName(prefix + QStringLiteral("ListBox"));
    for (const char* name : names) page.list->addItem(qs(name));
    page.list->setFixedWidth(150);
    page.grid = new ColourGrid(page.sheet);
    page.grid->setObjectName(prefix + QStringLiteral("CColorGrid"));

    auto* group = new QGroupBox(qs(kFontGroup), page.sheet);
    page.bold = styleCheckBox(prefix + QStringLiteral("BoldCheckBox"), kBold, group, &QFont::setBold);
    page.italic = styleCheckBox(prefix + QStringLiteral("ItalicCheckBox"), kItalic, group, &QFont::setItalic);
    page.underline = styleCheckBox(prefix + QStringLiteral("UnderlineCheckBox"), kUnderline, group, &QFont::setUnderline);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(page.bold);
    groupLayout->addWidget(page.italic);
    groupLayout->addWidget(page.underline);
    groupLayout->addStretch(1);

    page.defaults = new QPushButton(qs(kDefaults), page.sheet);
    page.defaults->setObjectName(prefix + QStringLiteral("DefaultButton"));
    page.example = new QPlainTextEdit(page.sheet);
    page.example->setObjectName(prefix + QStringLiteral("Example"));
    page.example->setFixedHeight(70);

    auto* top = new QHBoxLayout;
    top->addWidget(page.list);
    top->addWidget(page.grid);
    top->addWidget(group);
    auto* layout = new QVBoxLayout(page.sheet);
    layout->addLayout(top);
    layout->addWidget(page.defaults, 0, Qt::AlignLeft);
    layout->addWidget(page.example);

    connect(page.list, &QListWidget::currentRowChanged, this, [this, &page] { refresh(page); });
    connect(page.grid, &ColourGrid::changed, this, [this, &page] {
        if (ElementStyle* style = selected(page)) {
            style->foreground = page.grid->foregroundIndex();
            style->background = page.grid->backgroundIndex();
            emit stylesChanged();
        }
    });
    const auto storeFlag = [this, &page](QCheckBox* box, bool ElementStyle::*flag) {
        connect(box, &QCheckBox::toggled, this, [this, &page, flag](bool on) {
            if (ElementStyle* style = selected(page)) {
                style->*flag = on;
                emit stylesChanged();
            }
        });
    };
    storeFlag(page.bold, &ElementStyle::bold);
    storeFlag(page.italic, &ElementStyle::italic);
    storeFlag(page.underline, &ElementStyle::underline);
    connect(page.defaults, &QPushButton::clicked, this, [this, &page] {
        loadDefaults(page);
        refresh(page);
        emit stylesChanged();
    });
    return page.sheet;
}

void TEditPagesDlg::loadDefaults(Page& page) { std::copy(page.defaultTable.begin(), page.defaultTable.end(), page.table.begin()); }

ElementStyle* TEditPagesDlg::selected(Page& page) {
    const int row = page.list->currentRow();
    if (row < 0 || row >= static_cast<int>(page.table.size())) return nullptr;
    return &page.table[static_cast<std::size_t>(row)];
}

void TEditPagesDlg::refresh(Page& page) {
    const ElementStyle* style = selected(page);
    if (!style) return;
    // Setting the controls would store the same values back; keep the handlers out.
    const ElementStyle value = *style;
    const QSignalBlocker blockBold(page.bold), blockItalic(page.italic), blockUnderline(page.underline),
        blockGrid(page.grid);
    page.bold->setChecked(value.bold);
    page.italic->setChecked(value.italic);
    page.underline->setChecked(value.underline);
    page.grid->setForegroundIndex(value.foreground);
    page.grid->setBackgroundIndex(value.background);
}

void TEditPagesDlg::pageShown(Page& page) {
    // Each time a page comes up its selection returns to the first element.
    page.list->setCurrentRow(0);
    page.list->setFocus();
    refresh(page);
}

void TEditPagesDlg::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TEditPagesDlg::FormActivate() {
    m_korvelSnapshot = m_korvel;
    m_ilSnapshot = m_il;
    pageShown(PageControl1->currentIndex() == 0 ? m_korvelPage : m_ilPage);
    refresh(m_korvelPage);
    refresh(m_ilPage);
}

void TEditPagesDlg::CancelBtnClick() { reject(); }

void TEditPagesDlg::reject() {
    m_korvel = m_korvelSnapshot;
    m_il = m_ilSnapshot;
    emit stylesChanged();
    QDialog::reject();
}

void TEditPagesDlg::setStyles(const std::array<ElementStyle, kKorvelElementCount>& korvel,
                              const std::array<ElementStyle, kIlElementCount>& il) {
    m_korvel = korvel;
    m_il = il;
    refresh(m_korvelPage);
    refresh(m_ilPage);
    emit stylesChanged();
}

}  // namespace vestrel::workbench
