// The score's copy with the chart's chord symbols written into it.
#include "scorebrowser.h"

#include "carryingpart.h"
#include "fromchart.h"
#include "scoreproblem.h"
#include "uiplatform.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>

namespace chordvane {

void ScoreBrowser::saveAnnotated()
{
    if (!isOpen())
        return;
    if (m_score.fromMidi) {
        m_dialogs.exclamation(&m_window, QStringLiteral("Chordvane"),
                              tr("MIDI ファイルには楽譜がないので、コード名を書き込めません。"));
        return;
    }
    const QFileInfo in(m_path);
    // "band.musicxml" is offered as "band (コード付き).musicxml" beside it, a
    // compressed "band.mxl" as .mxl, under the filter of its own kind first:
    // the dialog would otherwise rename it to the first filter's extension.
    const QString suffix = in.suffix().toLower();
    const bool compressed = suffix == QLatin1String("mxl");
    const QString extension =
        compressed || suffix == QLatin1String("musicxml") || suffix == QLatin1String("xml")
            ? in.suffix()
            : QStringLiteral("musicxml");
    const QString proposed = in.dir().filePath(in.completeBaseName() + tr(" (コード付き)") +
                                               QLatin1Char('.') + extension);
    const QString plain = suffix == QLatin1String("xml") ? QStringLiteral("*.xml *.musicxml")
                                                         : QStringLiteral("*.musicxml *.xml");
    const QStringList filters = {tr("MusicXML (%1)").arg(plain), tr("圧縮 MusicXML (*.mxl)")};
    const QString filter = compressed ? filters[1] + QStringLiteral(";;") + filters[0]
                                      : filters.join(QStringLiteral(";;"));
    annotate::AnnotateOptions how;
    how.digest = m_digest;
    if (m_score.parts.size() > 1) {
        // Every part by its name; the first that is no drum or tablature
        // staff offered.
        QStringList names;
        for (const score::Part &part : m_score.parts)
            names << (part.name.isEmpty() ? part.id : part.name);
        const int offered = int(annotate::carryingPart(m_score, {}).value_or(0));
        const int chosen = m_dialogs.chooseItem(&m_window, tr("コード名を書き込んで保存"),
                                                tr("コード名を書き込むパート:"), names, offered);
        if (chosen < 0)
            return;
        how.part = QString::number(chosen + 1);
    }
    const QString out =
        m_dialogs.saveFile(&m_window, tr("コード名を書き込んで保存"), proposed, filter);
    if (out.isEmpty())
        return;
    const annotate::AnnotateResult result =
        annotate::annotateFile(m_path, annotate::chordSymbols(m_chords, m_steps), out, how);
    if (result.error == annotate::AnnotateError::ScoreChanged) {
        // The chords are those of the score as it was: none go into new music.
        if (m_dialogs.confirm(&m_window, QStringLiteral("Chordvane"),
                              tr("スコアのファイルが開いた後で変更されています。何も保存して"
                                 "いません。\n開き直しますか？\n%1")
                                  .arg(QDir::toNativeSeparators(m_path))))
            openScore(m_path);
        return;
    }
    if (result.ok()) {
        m_dialogs.information(
            &m_window, QStringLiteral("Chordvane"),
            tr("コード名を %n 個書き込んで保存しました\n%1", nullptr, result.written)
                .arg(QDir::toNativeSeparators(out)));
        return;
    }
    m_dialogs.exclamation(&m_window, QStringLiteral("Chordvane"),
                          tr("保存できませんでした\n%1\n%2")
                              .arg(annotateProblem(result), QDir::toNativeSeparators(out)));
}

} // namespace chordvane
