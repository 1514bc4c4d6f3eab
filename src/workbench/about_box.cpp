// The about box.
#include "workbench/about_box.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "workbench/image_lists.h"

namespace vestrel::workbench {
namespace {
constexpr char kCaption[] = "О программе";
constexpr char kProduct[] = "Транслятор \"Korvel  => DravoIL\"";
constexpr char kVersionWord[] = "Версия ";
constexpr char kMaker[] = "Проект Vestrel";
constexpr char kMemo[] =
    "Переводит программы на языке Korvel\nв тексты IL-программ Dravo IL.\n"
    "Сопровождение: проект Vestrel.";
constexpr int kWidth = 268;
constexpr int kHeight = 199;
}  // namespace

FileVersion programFileVersion() {
    return {VESTREL_VERSION_MAJOR, VESTREL_VERSION_MINOR, VESTREL_VERSION_PATCH, VESTREL_VERSION_TWEAK};
}

QString versionText(const FileVersion& version) {
    return QString::fromUtf8(kVersionWord) + QString::number(version.major) + QLatin1Char('.') +
           QString::number(version.minor) + QLatin1Char('.') + QString::number(version.release) + QLatin1Char('.') +
           QString::number(version.build);
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QString::fromUtf8(kCaption));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(programIcon().pixmap(32, 32));
    icon->setFixedSize(32, 32);
    ProductName = new QLabel(QString::fromUtf8(kProduct), panel);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    Version = new QLabel(panel);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setAlignment(Qt::AlignCenter);
    auto* maker = new QLabel(QString::fromUtf8(kMaker), panel);
    maker->setObjectName(QStringLiteral("Copyright"));
    auto* memo = new QLabel(QString::fromUtf8(kMemo), panel);
    memo->setObjectName(QStringLiteral("Comments"));
    memo->setAlignment(Qt::AlignCenter);
    memo->setAutoFillBackground(true);
    memo->setBackgroundRole(QPalette::Button);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(ProductName, 1);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(top);
    panelLayout->addWidget(Version);
    panelLayout->addWidget(maker);
    panelLayout->addWidget(memo, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    FormCreate();
    // The box keeps its design size unless the platform's font needs more room.
    setFixedSize(sizeHint().expandedTo(QSize(kWidth, kHeight)));
}

void TAboutBox::FormCreate() { Version->setText(versionText(programFileVersion())); }

QString TAboutBox::productText() const { return ProductName->text(); }
QString TAboutBox::versionLabelText() const { return Version->text(); }

}  // namespace vestrel::workbench
