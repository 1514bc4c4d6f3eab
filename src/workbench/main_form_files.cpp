// The file commands of the main window: new and open, saving the source program, saving
// the IL project, and the questions a program window asks when it is closed. The files
// themselves are read and written by the core's project module.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include "project/file_system.h"
#include "project/il_project.h"
#include "project/source_file.h"
#include "workbench/indicator_form.h"
#include "workbench/main_form.h"
#include "workbench/mdi_child.h"
#include "workbench/system_reasons.h"
#include "workbench/text_conversion.h"
#include "workbench/user_dialogs.h"
#include "workbench/workbench_texts.h"

namespace vestrel::workbench {
using texts::qs;

namespace {

// The writer's messages are cp1251 texts that already name their path; the system's
// reason, when there is one, follows on a second line.
QString saveMessage(const project::SaveResult& result) {
    QString message = fromCp1251(result.message);
    if (result.reasonCode != 0) message += QLatin1Char('\n') + systemReasonText(result.reasonCode);
    return message;
}

// A program is named by its full path, whatever form of name a dialog handed back
// ("./missing.prg", "sub/../pump.prg").
QString fullPath(const QString& name) { return QDir::cleanPath(QFileInfo(name).absoluteFilePath()); }

}  // namespace

std::optional<QString> TMainForm::readProgramText(const QString& name) {
    const std::optional<std::string> bytes = project::readWholeFile(nativePath(name));
    if (!bytes) {
        m_dialogs.error(qs(texts::kCannotOpenFile) + name);
        return std::nullopt;
    }
    // Nothing is opened that would come back changed when saved.
    const project::SourceReadResult decoded = project::decodeSource(*bytes, project::SourceEncoding::Auto);
    if (!decoded.ok) {
        // Reading fails only for UTF-8 text with a character cp1251 cannot hold; the
        // place is found again here to name it in the workbench's own words.
        QString utf8 = QString::fromUtf8(*bytes);
        if (utf8.startsWith(QChar(0xFEFF))) utf8.remove(0, 1);
        utf8.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        UnconvertibleCharacter unconvertible;
        const QString reason = toCp1251(utf8, &unconvertible) ? QString::fromStdString(decoded.error)
                                                               : describeUnconvertible(unconvertible);
        m_dialogs.error(qs(texts::kCannotOpenFile) + name + QStringLiteral(". ") + reason);
        return std::nullopt;
    }
    std::string joined;
    for (const std::string& line : decoded.lines()) {
        joined += line;
        joined += '\n';
    }
    if (!joined.empty()) joined.pop_back();
    return fromCp1251(joined);
}

TMDIChild* TMainForm::openByName(const QString& givenName) {
    const QString name = fullPath(givenName);
    QString text;
    const bool existing = QFileInfo(name).isFile();
    if (existing) {
        const std::optional<QString> read = readProgramText(name);
        if (!read) return nullptr;
        text = *read;
    }
    TMDIChild* child = createProgramWindow(name, text);
    if (existing) emit sourceFileUsed(name);
    return child;
}

TMDIChild* TMainForm::createProgramWindow(const QString& name, const QString& text) {
    auto* child = new TMDIChild;
    child->setProgramName(name);
    child->setSourceText(text);
    // The file as it was read, before the window comes up and would look at it.
    if (child->hasFileName()) child->setDiskStamp(TMDIChild::stampOf(name));
    child->setCloseHandler([this](TMDIChild& closing) { return askCloseQuestions(closing); });
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
    if (const project::WriteOutcome written = project::writeSourceFile(nativePath(path), *lines); !written) {
        m_dialogs.error(qs(texts::kCannotCreateFile) + path + QLatin1Char('\n') +
                        systemReasonText(written.reason));
        return false;
    }
    child.setDiskStamp(TMDIChild::stampOf(path));
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
    const std::optional<QString> chosen =
        m_dialogs.saveFileName({qs(texts::kSaveSourceTitle), qs(texts::kSourceFilter), 1, qs(texts::kSourceExtension)});
    if (!chosen) return false;
    const QString name = fullPath(*chosen);
    if (QFileInfo::exists(name) && !m_dialogs.question(qs(texts::kFileWord) + name + qs(texts::kAlreadyExists)))
        return false;
    if (!writeSource(child, name)) return false;
    m_dialogs.information(qs(texts::kSourceSaved));
    child.setProgramName(name);
    child.setSourceModified(false);
    emit sourceFileUsed(name);
    return true;
}

void TMainForm::FileSaveIL1Execute() {
    if (TMDIChild* child = activeChild()) saveIlProject(*child);
}

void TMainForm::FileSaveILAs1Execute() {
    if (TMDIChild* child = activeChild()) saveIlProjectAs(*child);
}

bool TMainForm::saveIlProject(TMDIChild& child) {
    if (!child.hasFileName()) return saveIlProjectAs(child);
    if (!child.outputShown()) return false;
    const std::optional<IlProjectTexts> slotTexts = collectIlTexts(child);
    if (!slotTexts) return false;
    const std::string directory = project::ilProjectDirectory(nativePath(child.programName()));
    const project::SaveResult made = project::ensureProjectDirectory(directory);
    if (!made.ok()) {
        m_dialogs.information(saveMessage(made));
        return false;
    }
    return writeIlProject(child, directory, *slotTexts);
}

bool TMainForm::saveIlProjectAs(TMDIChild& child) {
    if (!child.outputShown()) return false;
    const std::optional<IlProjectTexts> slotTexts = collectIlTexts(child);
    if (!slotTexts) return false;
    const std::optional<QString> name =
        m_dialogs.saveFileName({qs(texts::kSaveIlProjectTitle), qs(texts::kIlFilter), 1, QString()});
    if (!name) return false;
    const std::string base = nativePath(fullPath(*name));
    const std::string directory = project::ilProjectDirectory(base);
    if (QFileInfo::exists(fromNativePath(directory))) {
        const QString question = qs(texts::kIlProjectWord) + fromNativePath(project::ilProjectName(base)) + qs(texts::kAlreadyExists);
        // The writing sequence replaces the project: it writes and removes only the
        // slot files, so the user's other files in the folder stay.
        if (!m_dialogs.question(question)) return false;
    }
    const project::SaveResult made = project::ensureProjectDirectory(directory);
    if (!made.ok()) {
        m_dialogs.information(saveMessage(made));
        return false;
    }
    return writeIlProject(child, directory, *slotTexts);
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

bool TMainForm::writeIlProject(TMDIChild& child, const std::string& directory, const IlProjectTexts& slotTexts) {
    project::SaveResult result;
    {
        TIndicatorForm indicator(this);
        result = project::writeProject(directory, slotTexts.lines, slotTexts.present, &indicator);
    }
    if (!result.ok()) {
        // The writer names the file it could not create; the words are the workbench's.
        if (result.status == project::SaveStatus::CannotCreateFile) {
            QString message = qs(texts::kCannotCreateFile) + fromNativePath(result.path);
            if (result.reasonCode != 0) message += QLatin1Char('\n') + systemReasonText(result.reasonCode);
            m_dialogs.error(message);
        } else {
            m_dialogs.information(saveMessage(result));
        }
        return false;
    }
    child.clearOutputModified();
    m_dialogs.information(qs(texts::kIlProjectSaved));
    return true;
}

namespace {

// One piece of unsaved work: the output of a window or its source.
struct UnsavedWork {
    TMDIChild* child;
    bool output;
};

QList<UnsavedWork> unsavedWorkOf(TMDIChild& child) {
    QList<UnsavedWork> work;
    if (child.outputShown() && child.anyOutputModified()) work.push_back({&child, true});
    if (child.sourceModified()) work.push_back({&child, false});
    return work;
}

// The question about one piece of work alone.
QString singleQuestion(const UnsavedWork& work) {
    return work.output ? qs(texts::kIlProjectModified) : qs(texts::kFileWord) + work.child->programName() + qs(texts::kWasModified);
}

}  // namespace

bool TMainForm::askCloseQuestions(TMDIChild& child) {
    if (m_ending) return true;
    // The output first, then the source, each with its own question.
    for (const UnsavedWork& work : unsavedWorkOf(child)) {
        switch (m_dialogs.askToSave(singleQuestion(work))) {
            case SaveAnswer::Save:
                if (!(work.output ? saveIlProject(child) : saveSource(child))) return false;
                break;
            case SaveAnswer::Discard:
                break;
            case SaveAnswer::Cancel:
                return false;
        }
    }
    return true;
}

bool TMainForm::askBeforeEnding() {
    QList<UnsavedWork> work;
    for (TMDIChild* child : programWindows()) work += unsavedWorkOf(*child);
    if (work.isEmpty()) return true;
    // One piece asks its own question; several are listed in one.
    QString question;
    if (work.size() == 1) {
        question = singleQuestion(work.first());
    } else {
        question = qs(texts::kUnsavedListHead);
        for (const UnsavedWork& piece : work)
            question += QLatin1Char('\n') + qs(piece.output ? texts::kUnsavedIlProject : texts::kUnsavedSource) +
                        piece.child->programName();
        question += QLatin1Char('\n') + qs(texts::kUnsavedListTail);
    }
    switch (m_dialogs.askToSave(question)) {
        case SaveAnswer::Save:
            for (const UnsavedWork& piece : work) {
                // The window in front, so that a save dialog is seen to belong to it.
                if (QMdiSubWindow* sub = subWindowOf(piece.child)) m_mdiArea->setActiveSubWindow(sub);
                if (!(piece.output ? saveIlProject(*piece.child) : saveSource(*piece.child))) return false;
            }
            return true;
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            return false;
    }
    return false;
}

bool TMainForm::askBeforeTranslating(TMDIChild& child) {
    // A run refills the output editors; IL corrected by hand and not saved would go.
    if (!child.outputShown() || !child.outputEditedByHand() || !child.anyOutputModified()) return true;
    switch (m_dialogs.askToSave(qs(texts::kIlEditedBeforeRun))) {
        case SaveAnswer::Save:
            return saveIlProject(child);
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            return false;
    }
    return false;
}

void TMainForm::checkDiskChange(TMDIChild& child) {
    if (m_checkingDisk || m_ending || !child.hasFileName()) return;
    const TMDIChild::DiskStamp now = TMDIChild::stampOf(child.programName());
    // A file that went away is kept in the window; saving writes it again.
    if (!now.exists || now == child.diskStamp()) return;
    m_checkingDisk = true;
    // This version is asked about once; a later change asks again.
    child.setDiskStamp(now);
    QString question = qs(texts::kFileWord) + child.programName() + qs(texts::kChangedOnDisk);
    if (child.sourceModified()) question += qs(texts::kEditsWillGo);
    if (m_dialogs.question(question)) {
        if (const std::optional<QString> text = readProgramText(child.programName())) child.setSourceText(*text);
    }
    m_checkingDisk = false;
}

}  // namespace vestrel::workbench
