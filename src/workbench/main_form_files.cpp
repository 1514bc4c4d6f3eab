// The file commands of the main window: new and open, saving the source program, saving
// the IL project, and the questions a program window asks when it is closed. The files
// themselves are read and written by the core's project module.
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include "project/il_project.h"
#include "project/source_file.h"
#include "workbench/indicator_form.h"
#include "workbench/main_form.h"
#include "workbench/mdi_child.h"
#include "workbench/text_conversion.h"
#include "workbench/user_dialogs.h"
#include "workbench/workbench_texts.h"

namespace vestrel::workbench {
using texts::qs;

namespace {

// The writer's messages are cp1251 texts that already name their path.
QString saveMessage(const project::SaveResult& result) { return fromCp1251(result.message); }

}  // namespace

TMDIChild* TMainForm::openByName(const QString& name) {
    QString text;
    const bool existing = QFileInfo(name).isFile();
    if (existing) {
        const std::optional<std::string> bytes = project::readWholeFile(nativePath(name));
        if (!bytes) {
            m_dialogs.error(qs(texts::kCannotOpenFile) + name);
            return nullptr;
        }
        // Nothing is opened that would come back changed when saved.
        const project::SourceReadResult decoded = project::decodeSource(*bytes, project::SourceEncoding::Auto);
        if (!decoded.ok) {
            m_dialogs.error(name + QStringLiteral(": ") + QString::fromStdString(decoded.error));
            return nullptr;
        }
        std::string joined;
        for (const std::string& line : decoded.lines) {
            joined += line;
            joined += '\n';
        }
        if (!joined.empty()) joined.pop_back();
        text = fromCp1251(joined);
    }

    TMDIChild* child = createProgramWindow(name, text);
    if (existing) emit sourceFileUsed(name);
    return child;
}

TMDIChild* TMainForm::createProgramWindow(const QString& name, const QString& text) {
    auto* child = new TMDIChild;
    child->setProgramName(name);
    child->setSourceText(text);
    child->setCloseHandler([this](TMDIChild& closing) { askCloseQuestions(closing); });
    connect(child, &TMDIChild::caretReported, this, [this](const QString& position) { m_statusPanels[1]->setText(position); });
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    connect(sub, &QObject::destroyed, this, [this] {
        updateCommandStates();
        rebuildWindowList();
    });
    sub->showMaximized();
    m_mdiArea->setActiveSubWindow(sub);
    updateCommandStates();
    return child;
}

void TMainForm::FileOpen1Execute() {
    const std::optional<QString> name = m_dialogs.openFileName(
        {qs(texts::kOpenDialogTitle), qs(texts::kOpenFilter), texts::kOpenFilterIndex, QString()});
    if (name) openByName(*name);
}

void TMainForm::FileSaveKorvel1Execute() {
    if (TMDIChild* child = activeChild()) saveSource(*child);
}

void TMainForm::FileSaveKorvelAs1Execute() {
    if (TMDIChild* child = activeChild()) saveSourceAs(*child);
}

bool TMainForm::writeSource(TMDIChild& child, const QString& path) {
    UnconvertibleCharacter unconvertible;
    const std::optional<std::vector<std::string>> lines = child.sourceLines(&unconvertible);
    if (!lines) {
        m_dialogs.error(describeUnconvertible(unconvertible));
        return false;
    }
    if (!project::writeSourceFile(nativePath(path), *lines)) {
        m_dialogs.error(qs(texts::kCannotCreateFile) + path);
        return false;
    }
    return true;
}

bool TMainForm::saveSource(TMDIChild& child) {
    if (!child.hasFileName()) return saveSourceAs(child);
    if (!writeSource(child, child.programName())) return false;
    m_dialogs.information(qs(texts::kSourceSaved));
    child.setSourceModified(false);
    emit sourceFileUsed(child.programName());
    return true;
}

bool TMainForm::saveSourceAs(TMDIChild& child) {
    const std::optional<QString> name =
        m_dialogs.saveFileName({QString(), qs(texts::kSourceFilter), 1, qs(texts::kSourceExtension)});
    if (!name) return false;
    if (QFileInfo::exists(*name) && !m_dialogs.question(qs(texts::kFileWord) + *name + qs(texts::kAlreadyExists)))
        return false;
    if (!writeSource(child, *name)) return false;
    m_dialogs.information(qs(texts::kSourceSaved));
    child.setProgramName(*name);
    child.setSourceModified(false);
    emit sourceFileUsed(*name);
    return true;
}

void TMainForm::FileSaveIL1Execute() {
    if (TMDIChild* child = activeChild()) saveIlProject(*child);
}

void TMainForm::FileSaveILAs1Execute() {
    if (TMDIChild* child = activeChild()) saveIlProjectAs(*child);
}

void TMainForm::saveIlProject(TMDIChild& child) {
    if (!child.hasFileName()) {
        saveIlProjectAs(child);
        return;
    }
    if (!child.outputShown()) return;
    const std::optional<IlProjectTexts> slotTexts = collectIlTexts(child);
    if (!slotTexts) return;
    const std::string directory = project::ilProjectDirectory(nativePath(child.programName()));
    const project::SaveResult made = project::ensureProjectDirectory(directory);
    if (!made.ok()) {
        m_dialogs.information(saveMessage(made));
        return;
    }
    writeIlProject(child, directory, *slotTexts);
}

void TMainForm::saveIlProjectAs(TMDIChild& child) {
    if (!child.outputShown()) return;
    const std::optional<IlProjectTexts> slotTexts = collectIlTexts(child);
    if (!slotTexts) return;
    const std::optional<QString> name = m_dialogs.saveFileName({QString(), qs(texts::kIlFilter), 1, QString()});
    if (!name) return;
    const std::string base = nativePath(*name);
    const std::string directory = project::ilProjectDirectory(base);
    if (QFileInfo::exists(fromNativePath(directory))) {
        const QString question = qs(texts::kIlProjectWord) + fromNativePath(project::ilProjectName(base)) + qs(texts::kAlreadyExists);
        if (!m_dialogs.question(question)) return;
        const project::SaveResult removed = project::removeProjectDirectory(directory);
        if (!removed.ok()) {
            m_dialogs.information(saveMessage(removed));
            return;
        }
    }
    const project::SaveResult made = project::ensureProjectDirectory(directory);
    if (!made.ok()) {
        m_dialogs.information(saveMessage(made));
        return;
    }
    writeIlProject(child, directory, *slotTexts);
}

std::optional<TMainForm::IlProjectTexts> TMainForm::collectIlTexts(const TMDIChild& child) {
    IlProjectTexts collected;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        collected.present[index] = child.slotPresent(slot);
        if (!collected.present[index]) continue;
        UnconvertibleCharacter unconvertible;
        std::optional<std::vector<std::string>> lines = child.outputLines(slot, &unconvertible);
        if (!lines) {
            m_dialogs.error(qs(texts::kOutputPageWord) + QStringLiteral("«") + slotCaption(slot) + QStringLiteral("». ") +
                            describeUnconvertible(unconvertible));
            return std::nullopt;
        }
        collected.lines[index] = std::move(*lines);
    }
    return collected;
}

void TMainForm::writeIlProject(TMDIChild& child, const std::string& directory, const IlProjectTexts& slotTexts) {
    project::SaveResult result;
    {
        TIndicatorForm indicator(this);
        result = project::writeProject(directory, slotTexts.lines, slotTexts.present, &indicator);
    }
    if (!result.ok()) {
        if (result.status == project::SaveStatus::CannotCreateFile)
            m_dialogs.error(saveMessage(result));
        else
            m_dialogs.information(saveMessage(result));
        return;
    }
    child.clearOutputModified();
    m_dialogs.information(qs(texts::kIlProjectSaved));
}

void TMainForm::askCloseQuestions(TMDIChild& child) {
    if (m_ending) return;
    if (child.outputShown() && child.anyOutputModified() && m_dialogs.question(qs(texts::kIlProjectModified)))
        saveIlProject(child);
    if (child.sourceModified() &&
        m_dialogs.question(qs(texts::kFileWord) + child.programName() + qs(texts::kWasModified)))
        saveSource(child);
}

}  // namespace vestrel::workbench
