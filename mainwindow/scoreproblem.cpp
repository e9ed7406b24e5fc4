#include "scoreproblem.h"

namespace chordvane {

namespace {

using score::ReadError;

QString reason(const score::ReadResult &r)
{
    switch (r.error) {
    case ReadError::None:
        break;
    case ReadError::NoSuchFile:
        return QStringLiteral("ファイルがありません。");
    case ReadError::Folder:
        return QStringLiteral("フォルダーです。スコアのファイルを選んでください。");
    case ReadError::NotRegularFile:
        return QStringLiteral("通常のファイルではありません (FIFO や装置は読みません)。");
    case ReadError::CannotOpen:
        return QStringLiteral("ファイルを開けません (%1)。").arg(r.detail);
    case ReadError::FileTooLarge:
        return QStringLiteral("ファイルが大きすぎます (64 MiB まで)。");
    case ReadError::BrokenArchive:
        return QStringLiteral("圧縮 MusicXML (.mxl) のファイルが壊れています。");
    case ReadError::MissingMember:
        return QStringLiteral("圧縮ファイルの中に「%1」がありません。").arg(r.detail);
    case ReadError::MemberTooLarge:
        return QStringLiteral("圧縮ファイルの中の「%1」が大きすぎます (64 MiB まで)。")
            .arg(r.detail);
    case ReadError::BrokenMember:
        return QStringLiteral("圧縮ファイルの中の「%1」を展開できません。").arg(r.detail);
    case ReadError::BadContainer:
        return QStringLiteral("圧縮ファイルの META-INF/container.xml が壊れています。");
    case ReadError::NoRootFile:
        return QStringLiteral("圧縮ファイルの META-INF/container.xml が楽譜を指していません。");
    case ReadError::NotXml:
        return QStringLiteral("XML のファイルではありません。");
    case ReadError::EntitiesDeclared:
        return QStringLiteral("実体 (ENTITY) を宣言しているファイルは読みません。");
    case ReadError::Timewise:
        return QStringLiteral("score-timewise 形式の楽譜は読めません (score-partwise のみ)。");
    case ReadError::NotMusicXml:
        return QStringLiteral("MusicXML の楽譜ではありません (最上位の要素が <%1>)。")
            .arg(r.detail);
    case ReadError::BrokenXml:
        return QStringLiteral("XML の書き方が壊れています。");
    case ReadError::EndsEarly:
        return QStringLiteral("ファイルが途中で終わっています。");
    case ReadError::BadNumber:
        return QStringLiteral("<%1> の数「%2」を読めません。").arg(r.detail, r.value);
    case ReadError::NoDuration:
        return QStringLiteral("長さ (<duration>) のない音符があります。");
    case ReadError::BadPitch:
        return QStringLiteral("音の高さ (<pitch>) を読めません (音名「%1」)。").arg(r.value);
    case ReadError::TimeOverflow:
        return QStringLiteral("音の長さが大きすぎるか細かすぎて、時間を正しく数えられません。");
    case ReadError::TooManyNotes:
        return QStringLiteral("同時に鳴る音が多すぎて読み込めません。");
    case ReadError::NoParts:
        return QStringLiteral("パートがひとつもありません。");
    case ReadError::PartListedTwice:
        return QStringLiteral("パートの一覧に ID「%1」が二度あります。").arg(r.detail);
    case ReadError::PartRepeated:
        return QStringLiteral("ID「%1」のパートが二つあります。").arg(r.detail);
    case ReadError::PartNotListed:
        return QStringLiteral("パート「%1」がパートの一覧にありません。").arg(r.detail);
    case ReadError::PartEmpty:
        return QStringLiteral("パート「%1」に小節がありません。").arg(r.detail);
    case ReadError::PartMissing:
        return QStringLiteral("パートの一覧にある「%1」(ID「%2」) が楽譜にありません。")
            .arg(r.value, r.detail);
    }
    return QStringLiteral("読めない理由がわかりません。");
}

} // namespace

QString japaneseReadError(const score::ReadResult &result)
{
    QStringList where;
    if (!result.part.isEmpty())
        where << QStringLiteral("パート「%1」").arg(result.part);
    if (!result.measure.isEmpty())
        where << QStringLiteral("小節 %1").arg(result.measure);
    if (result.line > 0)
        where << QStringLiteral("%1 行目").arg(result.line);
    const QString text = reason(result);
    return where.isEmpty() ? text
                           : text + QStringLiteral(" (%1)").arg(where.join(QStringLiteral("、")));
}

QString japaneseAnnotateError(const annotate::AnnotateResult &result)
{
    using annotate::AnnotateError;
    switch (result.error) {
    case AnnotateError::None:
        break;
    case AnnotateError::UnknownForm:
        return QStringLiteral(
            "ファイル名の拡張子は .musicxml、.xml、.mxl のどれかにしてください。");
    case AnnotateError::Unreadable:
        return QStringLiteral("元のスコアを読めません。");
    case AnnotateError::SameFile:
        return QStringLiteral(
            "元のスコアと同じファイルには保存しません。別の名前を選んでください。");
    case AnnotateError::NotRegularFile:
        return QStringLiteral("保存先が通常のファイルではありません。");
    case AnnotateError::BadSymbol:
        return QStringLiteral("書き込めないコード名がありました (%1)。").arg(result.detail);
    case AnnotateError::EncodingNotKept:
        return QStringLiteral("スコアの文字コード (%1) を保ったまま書き込めません。")
            .arg(result.detail);
    case AnnotateError::CannotWrite:
        return QStringLiteral("ファイルを書き込めません (%1)。").arg(result.detail);
    }
    return {};
}

} // namespace chordvane
