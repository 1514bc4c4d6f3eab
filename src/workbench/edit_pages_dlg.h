// The editor parameters dialog: a colour and font-style choice for each text element of
// the Korvel source and of the IL output. The choices live only while the program runs,
// and no editor reads them.
#pragma once

#include <array>
#include <span>

#include <QDialog>

#include "workbench/element_styles.h"

class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace vestrel::workbench {

class ColourGrid;

class TEditPagesDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TEditPagesDlg(QWidget* parent = nullptr);

    const std::array<ElementStyle, kKorvelElementCount>& korvelStyles() const { return m_korvel; }
    const std::array<ElementStyle, kIlElementCount>& ilStyles() const { return m_il; }
    // Styles kept from an earlier session (only when highlighting is switched on).
    void setStyles(const std::array<ElementStyle, kKorvelElementCount>& korvel,
                   const std::array<ElementStyle, kIlElementCount>& il);

    void CancelBtnClick();
    // Esc and the title-bar close box count as "Отмена".
    void reject() override;

signals:
    // Any element's style changed (a control, the defaults button, or Cancel).
    void stylesChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The controls of one page and the table they edit.
    struct Page {
        QWidget* sheet = nullptr;
        QListWidget* list = nullptr;
        ColourGrid* grid = nullptr;
        QCheckBox* bold = nullptr;
        QCheckBox* italic = nullptr;
        QCheckBox* underline = nullptr;
        QPushButton* defaults = nullptr;
        QPlainTextEdit* example = nullptr;
        std::span<ElementStyle> table;
        std::span<const ElementStyle> defaultTable;
    };

    QWidget* buildPage(Page& page, const QString& prefix, std::span<const char* const> names);
    void FormActivate();
    void pageShown(Page& page);
    void refresh(Page& page);
    ElementStyle* selected(Page& page);
    void loadDefaults(Page& page);

    QTabWidget* PageControl1;
    Page m_korvelPage;
    Page m_ilPage;
    std::array<ElementStyle, kKorvelElementCount> m_korvel{};
    std::array<ElementStyle, kIlElementCount> m_il{};
    std::array<ElementStyle, kKorvelElementCount> m_korvelSnapshot{};
    std::array<ElementStyle, kIlElementCount> m_ilSnapshot{};
};

}  // namespace vestrel::workbench
