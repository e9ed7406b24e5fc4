#include "scoreproblem.h"

#include <QCoreApplication>

namespace chordvane {

namespace {

using score::ReadError;

// The translations' context of the messages below.
struct ScoreProblem {
    Q_DECLARE_TR_FUNCTIONS(chordvane::ScoreProblem)
};

QString reason(const score::ReadResult &r)
{
    switch (r.error) {
    case ReadError::None:
        break;
    case ReadError::NoSuchFile:
        return ScoreProblem::tr("ファイルがありません。");
    case ReadError::Folder:
        return ScoreProblem::tr("フォルダーです。スコアのファイルを選んでください。");
    case ReadError::NotRegularFile:
        return ScoreProblem::tr("通常のファイルではありません (FIFO や装置は読みません)。");
    case ReadError::CannotOpen:
        return ScoreProblem::tr("ファイルを開けません (%1)。").arg(r.detail);
    case ReadError::FileTooLarge:
        return ScoreProblem::tr("ファイルが大きすぎます (64 MiB まで)。");
    case ReadError::BrokenArchive:
        return ScoreProblem::tr("圧縮 MusicXML (.mxl) のファイルが壊れています。");
    case ReadError::MissingMember:
        return ScoreProblem::tr("圧縮ファイルの中に「%1」がありません。").arg(r.detail);
    case ReadError::MemberTooLarge:
        return ScoreProblem::tr("圧縮ファイルの中の「%1」が大きすぎます (64 MiB まで)。")
            .arg(r.detail);
    case ReadError::BrokenMember:
        return ScoreProblem::tr("圧縮ファイルの中の「%1」を展開できません。").arg(r.detail);
    case ReadError::BadContainer:
        return ScoreProblem::tr("圧縮ファイルの META-INF/container.xml が壊れています。");
    case ReadError::NoRootFile:
        return ScoreProblem::tr("圧縮ファイルの META-INF/container.xml が楽譜を指していません。");
    case ReadError::NotXml:
        return ScoreProblem::tr("XML のファイルではありません。");
    case ReadError::EntitiesDeclared:
        return ScoreProblem::tr("実体 (ENTITY) を宣言しているファイルは読みません。");
    case ReadError::Timewise:
        return ScoreProblem::tr("score-timewise 形式の楽譜は読めません (score-partwise のみ)。");
    case ReadError::NotMusicXml:
        return ScoreProblem::tr("MusicXML の楽譜ではありません (最上位の要素が <%1>)。")
            .arg(r.detail);
    case ReadError::BrokenXml:
        return ScoreProblem::tr("XML の書き方が壊れています。");
    case ReadError::EndsEarly:
        return ScoreProblem::tr("ファイルが途中で終わっています。");
    case ReadError::BadNumber:
        return ScoreProblem::tr("<%1> の数「%2」を読めません。").arg(r.detail, r.value);
    case ReadError::NoDuration:
        return ScoreProblem::tr("長さ (<duration>) のない音符があります。");
    case ReadError::BadPitch:
        return ScoreProblem::tr("音の高さ (<pitch>) を読めません (音名「%1」)。").arg(r.value);
    case ReadError::TimeOverflow:
        return ScoreProblem::tr("音の長さが大きすぎるか細かすぎて、時間を正しく数えられません。");
    case ReadError::TooManyNotes:
        return ScoreProblem::tr("同時に鳴る音が多すぎて読み込めません。");
    case ReadError::NoParts:
        return ScoreProblem::tr("パートがひとつもありません。");
    case ReadError::PartListedTwice:
        return ScoreProblem::tr("パートの一覧に ID「%1」が二度あります。").arg(r.detail);
    case ReadError::PartRepeated:
        return ScoreProblem::tr("ID「%1」のパートが二つあります。").arg(r.detail);
    case ReadError::PartNotListed:
        return ScoreProblem::tr("パート「%1」がパートの一覧にありません。").arg(r.detail);
    case ReadError::PartEmpty:
        return ScoreProblem::tr("パート「%1」に小節がありません。").arg(r.detail);
    case ReadError::PartMissing:
        return ScoreProblem::tr("パートの一覧にある「%1」(ID「%2」) が楽譜にありません。")
            .arg(r.value, r.detail);
    case ReadError::MidiHeader:
        return ScoreProblem::tr("MIDI ファイルのヘッダーが壊れています。");
    case ReadError::MidiFormat:
        return ScoreProblem::tr("フォーマット %1 の MIDI ファイルは読めません (0 と 1 のみ)。")
            .arg(r.value);
    case ReadError::MidiSmpte:
        return ScoreProblem::tr("時間を SMPTE で数える MIDI ファイルは読めません。"
                                "四分音符あたりのティックで保存してください。");
    case ReadError::MidiTruncated:
        return ScoreProblem::tr("MIDI ファイルが途中で終わっています。");
    case ReadError::MidiLongNumber:
        return ScoreProblem::tr("MIDI ファイルに 4 バイトを超える数があります。");
    case ReadError::MidiBadEvent:
        return ScoreProblem::tr("MIDI ファイルに読めないイベントがあります。");
    case ReadError::MidiTooManyEvents:
        return ScoreProblem::tr("MIDI ファイルのイベントが多すぎます (%1 個まで)。")
            .arg(score::midiEventLimit());
    case ReadError::MidiTooLong:
        return ScoreProblem::tr("MIDI ファイルの音が長く続きすぎて、小節に分けられません。");
    }
    return ScoreProblem::tr("読めない理由がわかりません。");
}

} // namespace

QString readProblem(const score::ReadResult &result)
{
    QStringList where;
    if (!result.part.isEmpty())
        where << ScoreProblem::tr("パート「%1」").arg(result.part);
    if (!result.measure.isEmpty())
        where << ScoreProblem::tr("小節 %1").arg(result.measure);
    if (result.line > 0)
        where << ScoreProblem::tr("%1 行目").arg(result.line);
    if (score::isMidiError(result.error) && result.error != ReadError::MidiFormat &&
        !result.value.isEmpty()) {
        if (!result.detail.isEmpty())
            where << ScoreProblem::tr("トラック %1").arg(result.detail);
        where << ScoreProblem::tr("%1 バイト目").arg(result.value);
    }
    const QString text = reason(result);
    return where.isEmpty()
               ? text
               : text + ScoreProblem::tr(" (%1)").arg(where.join(ScoreProblem::tr("、")));
}

QString annotateProblem(const annotate::AnnotateResult &result)
{
    using annotate::AnnotateError;
    switch (result.error) {
    case AnnotateError::None:
        break;
    case AnnotateError::UnknownForm:
        return ScoreProblem::tr(
            "ファイル名の拡張子は .musicxml、.xml、.mxl のどれかにしてください。");
    case AnnotateError::Unreadable:
        return ScoreProblem::tr("元のスコアを読めません。");
    case AnnotateError::SameFile:
        return ScoreProblem::tr(
            "元のスコアと同じファイルには保存しません。別の名前を選んでください。");
    case AnnotateError::NotRegularFile:
        return ScoreProblem::tr("保存先が通常のファイルではありません。");
    case AnnotateError::BadSymbol:
        return ScoreProblem::tr("書き込めないコード名がありました (%1)。").arg(result.detail);
    case AnnotateError::EncodingNotKept:
        return ScoreProblem::tr("スコアの文字コード (%1) を保ったまま書き込めません。")
            .arg(result.detail);
    case AnnotateError::CannotWrite:
        return ScoreProblem::tr("ファイルを書き込めません (%1)。").arg(result.detail);
    case AnnotateError::NoSuchPart:
        return ScoreProblem::tr("スコアにパート %1 がありません。").arg(result.detail);
    case AnnotateError::NoPartToCarry:
        return ScoreProblem::tr("打楽器とタブ譜のほかにパートがありません。");
    case AnnotateError::ScoreChanged:
        return ScoreProblem::tr("スコアのファイルが開いた後で変更されています。");
    case AnnotateError::TooLarge:
        return ScoreProblem::tr("書き込むと、読み込める大きさ (64 MiB) を超えます (%1)。")
            .arg(result.detail);
    case AnnotateError::EncryptedMember:
        return ScoreProblem::tr("圧縮スコアに暗号化されたファイル (%1) があり、写せません。")
            .arg(result.detail);
    }
    return {};
}

} // namespace chordvane
