// The score's copy with the chart's chord symbols written into it.
#include "scorebrowser.h"

#include "frmmain.h"
#include "fromchart.h"
#include "scoreproblem.h"
#include "uiplatform.h"

#include <QDir>
#include <QFileInfo>

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
    // "band.musicxml" is offered as "band (コード付き).musicxml" beside it.
    const QString suffix = in.fileName().mid(in.completeBaseName().size());
    const QString proposed =
        in.dir().filePath(in.completeBaseName() + tr(" (コード付き)") + suffix);
    const QString out =
        m_dialogs.saveFile(&m_window, tr("コード名を書き込んで保存"), proposed,
                           tr("MusicXML (*.musicxml *.xml);;圧縮 MusicXML (*.mxl)"));
    if (out.isEmpty())
        return;
    const annotate::AnnotateResult result =
        annotate::annotateFile(m_path, annotate::chordSymbols(m_chords, m_steps), out);
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
