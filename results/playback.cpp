#include "playback.h"

#include "uiplatform.h"

#include <QStringList>

namespace chordvane {

Playback::Playback(sound::SoundOutput &output, UserDialogs &dialogs)
    : m_output(output)
    , m_dialogs(dialogs)
{}

void Playback::play(QWidget *parent, const std::vector<sound::Tone> &tones)
{
    const sound::SoundProblem problem = m_output.play(tones);
    // Once is enough: what is missing stays missing for the run.
    if (problem == sound::SoundProblem::None || m_problemShown)
        return;
    m_problemShown = true;
    QStringList details;
    for (const std::string &detail : m_output.problemDetails())
        details << QString::fromStdString(detail);
    QString text;
    switch (problem) {
    case sound::SoundProblem::NoSoundFont:
        text = tr("音源ファイル (SoundFont) が見つかりません。\n"
                  "fluid-soundfont-gm パッケージを入れてください。\n\n探した場所:\n");
        break;
    case sound::SoundProblem::UnreadableSoundFont:
        text = tr("音源ファイル (SoundFont) を読み込めません。\n"
                  "壊れているか、SoundFont ではありません。"
                  "fluid-soundfont-gm パッケージを入れ直してください。\n\n"
                  "読み込めなかったファイル:\n");
        break;
    case sound::SoundProblem::None:
    case sound::SoundProblem::NoAudioDevice:
        text = tr("音を出す装置が見つかりません。\n"
                  "PipeWire か PulseAudio (pipewire-pulse か pulseaudio パッケージ) "
                  "が動いているか確かめてください。\n\n試した出力:\n");
        break;
    }
    m_dialogs.exclamation(parent, tr("試聴"), text + details.join(QLatin1Char('\n')));
}

void Playback::stop()
{
    m_output.stop();
}

} // namespace chordvane
