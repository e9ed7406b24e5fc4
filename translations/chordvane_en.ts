<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>chordvane::ChartWindow</name>
    <message>
        <source>コード進行</source>
        <translation>Chord chart</translation>
    </message>
    <message>
        <source>楽器:</source>
        <translation>Instrument:</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>テキストで保存...</source>
        <translation>Save as text...</translation>
    </message>
    <message>
        <source>PDF で保存...</source>
        <translation>Save as PDF...</translation>
    </message>
    <message>
        <source>印刷...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>調</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>拍子</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>長調</source>
        <translation>major</translation>
    </message>
    <message>
        <source>短調</source>
        <translation>minor</translation>
    </message>
    <message>
        <source>%1 の楽器用</source>
        <translation>for %1 instruments</translation>
    </message>
    <message>
        <source>保存できませんでした
%1
%2</source>
        <translation>Could not save
%1
%2</translation>
    </message>
    <message>
        <source>コード進行をテキストで保存</source>
        <translation>Save the chord chart as text</translation>
    </message>
    <message>
        <source>テキスト (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>コード進行を PDF で保存</source>
        <translation>Save the chord chart as PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
</context>
<context>
    <name>chordvane::InstrumentRow</name>
    <message>
        <source>(楽器名)</source>
        <translation>(instr.)</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>段 %1</source>
        <translation>Row %1</translation>
    </message>
    <message>
        <source>ベース</source>
        <translation>Bass</translation>
    </message>
    <message>
        <source>B(H)</source>
        <translation>B</translation>
    </message>
    <message>
        <source>【 in C 】</source>
        <translation>【 in C 】</translation>
    </message>
    <message>
        <source>ピアノ</source>
        <translation>Piano</translation>
    </message>
    <message>
        <source>ピッコロ</source>
        <translation>Piccolo</translation>
    </message>
    <message>
        <source>フルート</source>
        <translation>Flute</translation>
    </message>
    <message>
        <source>オーボエ</source>
        <translation>Oboe</translation>
    </message>
    <message>
        <source>ファゴット</source>
        <translation>Bassoon</translation>
    </message>
    <message>
        <source>トロンボーン</source>
        <translation>Trombone</translation>
    </message>
    <message>
        <source>ユーフォニアム</source>
        <translation>Euphonium</translation>
    </message>
    <message>
        <source>テューバ</source>
        <translation>Tuba</translation>
    </message>
    <message>
        <source>コントラバス</source>
        <translation>String Bass</translation>
    </message>
    <message>
        <source>ティンパニ</source>
        <translation>Timpani</translation>
    </message>
    <message>
        <source>グロッケンシュピール</source>
        <translation>Glockenspiel</translation>
    </message>
    <message>
        <source>シロフォン</source>
        <translation>Xylophone</translation>
    </message>
    <message>
        <source>ヴィブラフォン</source>
        <translation>Vibraphone</translation>
    </message>
    <message>
        <source>マリンバ</source>
        <translation>Marimba</translation>
    </message>
    <message>
        <source>【 in D 】</source>
        <translation>【 in D 】</translation>
    </message>
    <message>
        <source>D管トランペット</source>
        <translation>Trumpet in D</translation>
    </message>
    <message>
        <source>【 in E♭ 】</source>
        <translation>【 in E♭ 】</translation>
    </message>
    <message>
        <source>E♭クラリネット</source>
        <translation>E♭ Clarinet</translation>
    </message>
    <message>
        <source>アルト・クラリネット</source>
        <translation>Alto Clarinet</translation>
    </message>
    <message>
        <source>アルト・サクソフォン</source>
        <translation>Alto Saxophone</translation>
    </message>
    <message>
        <source>バリトン・サクソフォン</source>
        <translation>Baritone Saxophone</translation>
    </message>
    <message>
        <source>テナーホルン</source>
        <translation>Tenor Horn</translation>
    </message>
    <message>
        <source>E♭バス</source>
        <translation>E♭ Bass</translation>
    </message>
    <message>
        <source>【 in B♭ 】</source>
        <translation>【 in B♭ 】</translation>
    </message>
    <message>
        <source>クラリネット</source>
        <translation>Clarinet</translation>
    </message>
    <message>
        <source>バス・クラリネット</source>
        <translation>Bass Clarinet</translation>
    </message>
    <message>
        <source>ソプラノ・サクソフォン</source>
        <translation>Soprano Saxophone</translation>
    </message>
    <message>
        <source>テナー・サクソフォン</source>
        <translation>Tenor Saxophone</translation>
    </message>
    <message>
        <source>トランペット</source>
        <translation>Trumpet</translation>
    </message>
    <message>
        <source>コルネット</source>
        <translation>Cornet</translation>
    </message>
    <message>
        <source>フリューゲルホルン</source>
        <translation>Flugelhorn</translation>
    </message>
    <message>
        <source>バリトン</source>
        <translation>Baritone</translation>
    </message>
    <message>
        <source>ユーフォニアム (ト音記号)</source>
        <translation>Euphonium (treble clef)</translation>
    </message>
    <message>
        <source>B♭バス</source>
        <translation>B♭ Bass</translation>
    </message>
    <message>
        <source>【 in F 】</source>
        <translation>【 in F 】</translation>
    </message>
    <message>
        <source>ホルン</source>
        <translation>Horn in F</translation>
    </message>
    <message>
        <source>コール・アングレ</source>
        <translation>Cor Anglais</translation>
    </message>
    <message>
        <source>【 in G 】</source>
        <translation>【 in G 】</translation>
    </message>
    <message>
        <source>アルト・フルート</source>
        <translation>Alto Flute</translation>
    </message>
</context>
<context>
    <name>chordvane::LiveInput</name>
    <message>
        <source>MIDI入力(&amp;M)</source>
        <translation>&amp;MIDI input</translation>
    </message>
    <message>
        <source>なし(&amp;N)</source>
        <translation>&amp;None</translation>
    </message>
    <message>
        <source>入力ポートがありません</source>
        <translation>No input ports</translation>
    </message>
    <message>
        <source>MIDI の装置が見つかりません (ALSA シーケンサー、JACK サーバー)</source>
        <translation>No MIDI system found (ALSA sequencer, JACK server)</translation>
    </message>
    <message>
        <source>MIDI 入力「%1」を開けません。MIDI の装置が見つかりません。</source>
        <translation>The MIDI input “%1” cannot be opened: no MIDI system was found.</translation>
    </message>
    <message>
        <source>MIDI 入力「%1」が見つかりません。</source>
        <translation>The MIDI input “%1” was not found.</translation>
    </message>
    <message>
        <source>MIDI 入力「%1」を開けません。</source>
        <translation>The MIDI input “%1” cannot be opened.</translation>
    </message>
    <message>
        <source>MIDI 入力がなくなりました。MIDI 入力をなしにします。</source>
        <translation>The MIDI input has gone away. MIDI input is now off.</translation>
    </message>
    <message>
        <source>コードリストが読み込まれていません</source>
        <translation>No chord list loaded</translation>
    </message>
    <message>
        <source>行に入らない音 %1</source>
        <translation>Notes without a row: %1</translation>
    </message>
</context>
<context>
    <name>chordvane::Playback</name>
    <message>
        <source>音源ファイル (SoundFont) が見つかりません。
fluid-soundfont-gm パッケージを入れてください。

探した場所:
</source>
        <translation>No SoundFont was found.
Install the fluid-soundfont-gm package.

Looked in:
</translation>
    </message>
    <message>
        <source>音源ファイル (SoundFont) を読み込めません。
壊れているか、SoundFont ではありません。fluid-soundfont-gm パッケージを入れ直してください。

読み込めなかったファイル:
</source>
        <translation>The SoundFont cannot be read.
It is damaged, or not a SoundFont. Reinstall the fluid-soundfont-gm package.

Files that could not be read:
</translation>
    </message>
    <message>
        <source>音を出す装置が見つかりません。
PipeWire か PulseAudio (pipewire-pulse か pulseaudio パッケージ) が動いているか確かめてください。

試した出力:
</source>
        <translation>No audio output was found.
Check that PipeWire or PulseAudio (the pipewire-pulse or pulseaudio package) is running.

Outputs tried:
</translation>
    </message>
    <message>
        <source>試聴</source>
        <translation>Play</translation>
    </message>
</context>
<context>
    <name>chordvane::ResultsPanel</name>
    <message>
        <source>検索結果</source>
        <translation>Search results</translation>
    </message>
    <message>
        <source>純正律対応表 (単位：セント)</source>
        <translation>Just intonation (cents)</translation>
    </message>
    <message>
        <source>試聴</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>純正律で試聴</source>
        <translation>Play just</translation>
    </message>
    <message>
        <source>合致度：&#x3000;</source>
        <translation>Match rate: </translation>
    </message>
    <message>
        <source>合致度：&#x3000;%1％</source>
        <translation>Match rate: %1%</translation>
    </message>
</context>
<context>
    <name>chordvane::RowChord</name>
    <message>
        <source>行のコード なし</source>
        <translation>Rows&apos; chord: none</translation>
    </message>
    <message>
        <source>行のコード %1 (%2%)</source>
        <translation>Rows&apos; chord %1 (%2%)</translation>
    </message>
</context>
<context>
    <name>chordvane::ScoreBrowser</name>
    <message>
        <source>スコア(&amp;S)</source>
        <translation>&amp;Score</translation>
    </message>
    <message>
        <source>スコアを開く(&amp;O)...</source>
        <translation>&amp;Open score...</translation>
    </message>
    <message>
        <source>前の音へ(&amp;P)</source>
        <translation>&amp;Previous note</translation>
    </message>
    <message>
        <source>次の音へ(&amp;N)</source>
        <translation>&amp;Next note</translation>
    </message>
    <message>
        <source>前の小節へ(&amp;U)</source>
        <translation>Previous &amp;measure</translation>
    </message>
    <message>
        <source>次の小節へ(&amp;D)</source>
        <translation>Next measu&amp;re</translation>
    </message>
    <message>
        <source>コード進行(&amp;H)</source>
        <translation>Chord c&amp;hart</translation>
    </message>
    <message>
        <source>コード進行をテキストで保存(&amp;X)...</source>
        <translation>Save chart as te&amp;xt...</translation>
    </message>
    <message>
        <source>コード進行を PDF で保存(&amp;F)...</source>
        <translation>Save chart as P&amp;DF...</translation>
    </message>
    <message>
        <source>コード進行を印刷(&amp;I)...</source>
        <translation>Pr&amp;int chart...</translation>
    </message>
    <message>
        <source>小節 %1&#x3000;拍 %2&#x3000;合致度 %3%</source>
        <translation>Measure %1, beat %2, match rate %3%</translation>
    </message>
    <message>
        <source>小節 %1&#x3000;拍 %2&#x3000;コード なし</source>
        <translation>Measure %1, beat %2, no chord</translation>
    </message>
    <message>
        <source>コード名を書き込んで保存(&amp;W)...</source>
        <translation>&amp;Write chord symbols to a copy...</translation>
    </message>
    <message>
        <source>スコアを閉じる(&amp;C)</source>
        <translation>&amp;Close score</translation>
    </message>
    <message>
        <source>スコアを開く</source>
        <translation>Open score</translation>
    </message>
    <message>
        <source>音符がひとつもありません。</source>
        <translation>The score has no notes.</translation>
    </message>
    <message>
        <source>スコアを開けませんでした
%1
%2</source>
        <translation>The score could not be opened.
%1
%2</translation>
    </message>
    <message>
        <source>コードリストが読み込まれていません</source>
        <translation>No chord list loaded</translation>
    </message>
    <message>
        <source>コード %1 (%2%)</source>
        <translation>Chord %1 (%2%)</translation>
    </message>
    <message>
        <source>コード なし</source>
        <translation>Chord: none</translation>
    </message>
    <message>
        <source> (コード付き)</source>
        <translation> (with chords)</translation>
    </message>
    <message>
        <source>コード名を書き込んで保存</source>
        <translation>Write chord symbols to a copy</translation>
    </message>
    <message numerus="yes">
        <source>コード名を %n 個書き込んで保存しました
%1</source>
        <translation>
            <numerusform>Saved a copy with %n chord symbol.
%1</numerusform>
            <numerusform>Saved a copy with %n chord symbols.
%1</numerusform>
        </translation>
    </message>
    <message>
        <source>保存できませんでした
%1
%2</source>
        <translation>The copy could not be saved.
%1
%2</translation>
    </message>
    <message>
        <source>音程補正(&amp;G)</source>
        <translation>Tuning &amp;guide</translation>
    </message>
    <message>
        <source>音程補正表を書き出す(&amp;T)...</source>
        <translation>&amp;Export tuning sheet...</translation>
    </message>
    <message>
        <source>MIDI ファイルには楽譜がないので、コード名を書き込めません。</source>
        <translation>A MIDI file has no notation, so chord symbols cannot be written into it.</translation>
    </message>
    <message>
        <source>スコア (*.musicxml *.mxl *.xml *.mid *.midi);;MusicXML (*.musicxml *.mxl *.xml);;MIDI (*.mid *.midi);;すべてのファイル (*)</source>
        <translation>Scores (*.musicxml *.mxl *.xml *.mid *.midi);;MusicXML (*.musicxml *.mxl *.xml);;MIDI (*.mid *.midi);;All files (*)</translation>
    </message>
    <message>
        <source>コード名を書き込むパート:</source>
        <translation>Part to write the chord symbols into:</translation>
    </message>
    <message>
        <source>スコアのファイルが開いた後で変更されています。何も保存していません。
開き直しますか？
%1</source>
        <translation>The score file has changed since it was opened. Nothing was saved.
Open it again?
%1</translation>
    </message>
    <message>
        <source> (コード進行)</source>
        <translation> (chord chart)</translation>
    </message>
    <message>
        <source>最近使ったスコア(&amp;R)</source>
        <translation>Recen&amp;t scores</translation>
    </message>
    <message>
        <source>小節へ移動(&amp;M)...</source>
        <translation>Go to meas&amp;ure...</translation>
    </message>
    <message>
        <source>結果を表示(&amp;K)</source>
        <translation>Resu&amp;lts panel</translation>
    </message>
    <message>
        <source>小節 %1 / %2&#x3000;拍 %3&#x3000;— %4</source>
        <translation>Measure %1 / %2, beat %3 — %4</translation>
    </message>
    <message>
        <source>%1 — 小節 %2 / %3 — Chordvane</source>
        <translation>%1 — measure %2 / %3 — Chordvane</translation>
    </message>
    <message>
        <source>%1 短調</source>
        <translation>%1 minor</translation>
    </message>
    <message>
        <source>%1 長調</source>
        <translation>%1 major</translation>
    </message>
    <message>
        <source>%1/%2 拍子</source>
        <translation>%1/%2 time</translation>
    </message>
    <message>
        <source>小節番号 (%1～%2):</source>
        <translation>Measure number (%1–%2):</translation>
    </message>
    <message>
        <source>小節 %1 はこのスコアにありません。
%2 から %3 までの小節番号を、楽譜に書かれているとおりに入力してください。</source>
        <translation>The score has no measure %1.
Enter a measure number from %2 to %3 as the score writes it.</translation>
    </message>
    <message>
        <source>小節へ移動</source>
        <translation>Go to measure</translation>
    </message>
    <message>
        <source>(なし)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>スコアが見つかりません。最近使ったスコアから外しました。
%1</source>
        <translation>The score was not found and has been taken off the recent scores.
%1</translation>
    </message>
    <message>
        <source>再生(&amp;Y)</source>
        <translation>Pla&amp;y</translation>
    </message>
    <message>
        <source>このコードの区間を再生(&amp;S)</source>
        <translation>Play this &amp;chord</translation>
    </message>
    <message>
        <source>この小節を再生(&amp;M)</source>
        <translation>Play this &amp;measure</translation>
    </message>
    <message>
        <source>指定の小節まで再生(&amp;T)...</source>
        <translation>Play &amp;to measure...</translation>
    </message>
    <message>
        <source>純正律で再生(&amp;J)</source>
        <translation>&amp;Just intonation</translation>
    </message>
    <message>
        <source>くり返し再生(&amp;L)</source>
        <translation>&amp;Loop</translation>
    </message>
    <message>
        <source>再生を止める</source>
        <translation>Stop playing</translation>
    </message>
    <message>
        <source>指定の小節まで再生</source>
        <translation>Play to measure</translation>
    </message>
    <message>
        <source>小節 %1 は今の位置より前にあります。</source>
        <translation>Measure %1 comes before the one shown.</translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>MusicXML (%1)</source>
        <translation>MusicXML (%1)</translation>
    </message>
    <message>
        <source>圧縮 MusicXML (*.mxl)</source>
        <translation>Compressed MusicXML (*.mxl)</translation>
    </message>
</context>
<context>
    <name>chordvane::ScoreProblem</name>
    <message>
        <source>ファイルがありません。</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>フォルダーです。スコアのファイルを選んでください。</source>
        <translation>This is a folder. Choose a score file.</translation>
    </message>
    <message>
        <source>通常のファイルではありません (FIFO や装置は読みません)。</source>
        <translation>This is not a regular file (FIFOs and devices are not read).</translation>
    </message>
    <message>
        <source>ファイルを開けません (%1)。</source>
        <translation>The file cannot be opened (%1).</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます (64 MiB まで)。</source>
        <translation>The file is too large (64 MiB at most).</translation>
    </message>
    <message>
        <source>圧縮 MusicXML (.mxl) のファイルが壊れています。</source>
        <translation>The compressed MusicXML (.mxl) file is damaged.</translation>
    </message>
    <message>
        <source>圧縮ファイルの中に「%1」がありません。</source>
        <translation>The compressed file does not hold “%1”.</translation>
    </message>
    <message>
        <source>圧縮ファイルの中の「%1」が大きすぎます (64 MiB まで)。</source>
        <translation>“%1” in the compressed file is too large (64 MiB at most).</translation>
    </message>
    <message>
        <source>圧縮ファイルの中の「%1」を展開できません。</source>
        <translation>“%1” in the compressed file cannot be unpacked.</translation>
    </message>
    <message>
        <source>圧縮ファイルの META-INF/container.xml が壊れています。</source>
        <translation>The compressed file&apos;s META-INF/container.xml is damaged.</translation>
    </message>
    <message>
        <source>圧縮ファイルの META-INF/container.xml が楽譜を指していません。</source>
        <translation>The compressed file&apos;s META-INF/container.xml names no score.</translation>
    </message>
    <message>
        <source>XML のファイルではありません。</source>
        <translation>This is not an XML file.</translation>
    </message>
    <message>
        <source>実体 (ENTITY) を宣言しているファイルは読みません。</source>
        <translation>Files that declare entities (ENTITY) are not read.</translation>
    </message>
    <message>
        <source>score-timewise 形式の楽譜は読めません (score-partwise のみ)。</source>
        <translation>Scores in score-timewise form cannot be read (score-partwise only).</translation>
    </message>
    <message>
        <source>MusicXML の楽譜ではありません (最上位の要素が &lt;%1&gt;)。</source>
        <translation>This is not a MusicXML score (its top element is &lt;%1&gt;).</translation>
    </message>
    <message>
        <source>XML の書き方が壊れています。</source>
        <translation>The XML is malformed.</translation>
    </message>
    <message>
        <source>ファイルが途中で終わっています。</source>
        <translation>The file ends too early.</translation>
    </message>
    <message>
        <source>&lt;%1&gt; の数「%2」を読めません。</source>
        <translation>The number “%2” in &lt;%1&gt; cannot be read.</translation>
    </message>
    <message>
        <source>長さ (&lt;duration&gt;) のない音符があります。</source>
        <translation>A note has no length (&lt;duration&gt;).</translation>
    </message>
    <message>
        <source>音の高さ (&lt;pitch&gt;) を読めません (音名「%1」)。</source>
        <translation>A pitch (&lt;pitch&gt;) cannot be read (step “%1”).</translation>
    </message>
    <message>
        <source>音の長さが大きすぎるか細かすぎて、時間を正しく数えられません。</source>
        <translation>The note lengths are too long or too fine for the time to be counted exactly.</translation>
    </message>
    <message>
        <source>同時に鳴る音が多すぎて読み込めません。</source>
        <translation>Too many notes sound at once.</translation>
    </message>
    <message>
        <source>パートがひとつもありません。</source>
        <translation>The score has no parts.</translation>
    </message>
    <message>
        <source>パートの一覧に ID「%1」が二度あります。</source>
        <translation>The part list holds the ID “%1” twice.</translation>
    </message>
    <message>
        <source>ID「%1」のパートが二つあります。</source>
        <translation>Two parts have the ID “%1”.</translation>
    </message>
    <message>
        <source>パート「%1」がパートの一覧にありません。</source>
        <translation>The part “%1” is not in the part list.</translation>
    </message>
    <message>
        <source>パート「%1」に小節がありません。</source>
        <translation>The part “%1” has no measures.</translation>
    </message>
    <message>
        <source>パートの一覧にある「%1」(ID「%2」) が楽譜にありません。</source>
        <translation>“%1” (ID “%2”) is in the part list but not in the score.</translation>
    </message>
    <message>
        <source>読めない理由がわかりません。</source>
        <translation>It cannot be read, for a reason unknown.</translation>
    </message>
    <message>
        <source>パート「%1」</source>
        <translation>part “%1”</translation>
    </message>
    <message>
        <source>小節 %1</source>
        <translation>measure %1</translation>
    </message>
    <message>
        <source>%1 行目</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source> (%1)</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>ファイル名の拡張子は .musicxml、.xml、.mxl のどれかにしてください。</source>
        <translation>The file name must end in .musicxml, .xml or .mxl.</translation>
    </message>
    <message>
        <source>元のスコアを読めません。</source>
        <translation>The original score cannot be read.</translation>
    </message>
    <message>
        <source>元のスコアと同じファイルには保存しません。別の名前を選んでください。</source>
        <translation>The copy is never saved over the original score. Choose another name.</translation>
    </message>
    <message>
        <source>保存先が通常のファイルではありません。</source>
        <translation>The destination is not a regular file.</translation>
    </message>
    <message>
        <source>書き込めないコード名がありました (%1)。</source>
        <translation>A chord symbol could not be written (%1).</translation>
    </message>
    <message>
        <source>スコアの文字コード (%1) を保ったまま書き込めません。</source>
        <translation>The copy cannot be written in the score&apos;s encoding (%1).</translation>
    </message>
    <message>
        <source>ファイルを書き込めません (%1)。</source>
        <translation>The file cannot be written (%1).</translation>
    </message>
    <message>
        <source>MIDI ファイルのヘッダーが壊れています。</source>
        <translation>The MIDI file&apos;s header is broken.</translation>
    </message>
    <message>
        <source>フォーマット %1 の MIDI ファイルは読めません (0 と 1 のみ)。</source>
        <translation>MIDI files of format %1 cannot be read (only formats 0 and 1).</translation>
    </message>
    <message>
        <source>時間を SMPTE で数える MIDI ファイルは読めません。四分音符あたりのティックで保存してください。</source>
        <translation>MIDI files that count time in SMPTE frames cannot be read. Save it with ticks per quarter note.</translation>
    </message>
    <message>
        <source>MIDI ファイルが途中で終わっています。</source>
        <translation>The MIDI file ends too early.</translation>
    </message>
    <message>
        <source>MIDI ファイルに 4 バイトを超える数があります。</source>
        <translation>The MIDI file holds a number longer than four bytes.</translation>
    </message>
    <message>
        <source>MIDI ファイルに読めないイベントがあります。</source>
        <translation>The MIDI file holds an event that cannot be read.</translation>
    </message>
    <message>
        <source>MIDI ファイルのイベントが多すぎます (%1 個まで)。</source>
        <translation>The MIDI file holds too many events (at most %1).</translation>
    </message>
    <message>
        <source>MIDI ファイルの音が長く続きすぎて、小節に分けられません。</source>
        <translation>The MIDI file&apos;s notes run on too long to be laid out in measures.</translation>
    </message>
    <message>
        <source>トラック %1</source>
        <translation>track %1</translation>
    </message>
    <message>
        <source>%1 バイト目</source>
        <translation>byte %1</translation>
    </message>
    <message>
        <source>スコアにパート %1 がありません。</source>
        <translation>The score has no part %1.</translation>
    </message>
    <message>
        <source>打楽器とタブ譜のほかにパートがありません。</source>
        <translation>The score has no part other than percussion and tablature.</translation>
    </message>
    <message>
        <source>スコアのファイルが開いた後で変更されています。</source>
        <translation>The score file has changed since it was opened.</translation>
    </message>
    <message>
        <source>書き込むと、読み込める大きさ (64 MiB) を超えます (%1)。</source>
        <translation>The copy would be larger than a score may be (64 MiB) (%1).</translation>
    </message>
    <message>
        <source>圧縮スコアに暗号化されたファイル (%1) があり、写せません。</source>
        <translation>The compressed score holds an encrypted file (%1), which cannot be copied.</translation>
    </message>
</context>
<context>
    <name>chordvane::TuningPanel</name>
    <message>
        <source>音程補正</source>
        <translation>Tuning guide</translation>
    </message>
    <message>
        <source>パート</source>
        <translation>Part</translation>
    </message>
    <message>
        <source>記譜音</source>
        <translation>Written</translation>
    </message>
    <message>
        <source>実音</source>
        <translation>Concert</translation>
    </message>
    <message>
        <source>度数</source>
        <translation>Degree</translation>
    </message>
    <message>
        <source>補正</source>
        <translation>Adjust</translation>
    </message>
    <message>
        <source>小節 %1&#x3000;拍 %2&#x3000;%3</source>
        <translation>Measure %1, beat %2: %3</translation>
    </message>
    <message>
        <source>コードなし</source>
        <translation>no chord</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>コードリストが読み込まれていないため、書き出せません</source>
        <translation>No chord list is loaded, so there is nothing to export.</translation>
    </message>
    <message>
        <source> (音程補正)</source>
        <translation> (tuning)</translation>
    </message>
    <message>
        <source>音程補正表を書き出す</source>
        <translation>Export tuning sheet</translation>
    </message>
    <message>
        <source>CSV (*.csv);;すべてのファイル (*)</source>
        <translation>CSV (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>保存できませんでした
%1
%2</source>
        <translation>The sheet could not be saved.
%1
%2</translation>
    </message>
    <message>
        <source>元のスコアと同じファイルには保存しません。別の名前を選んでください。</source>
        <translation>The sheet is never saved over the score. Choose another name.</translation>
    </message>
    <message>
        <source>保存先が通常のファイルではありません。</source>
        <translation>The destination is not a regular file.</translation>
    </message>
    <message>
        <source>小節</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>拍</source>
        <translation>Beat</translation>
    </message>
    <message>
        <source>ファイルを書き込めません (%1)。</source>
        <translation>The file cannot be written (%1).</translation>
    </message>
    <message numerus="yes">
        <source>音程補正表を %n 行書き出しました
%1</source>
        <translation>
            <numerusform>Wrote a tuning sheet of %n line.
%1</numerusform>
            <numerusform>Wrote a tuning sheet of %n lines.
%1</numerusform>
        </translation>
    </message>
    <message>
        <source>ユニゾン</source>
        <translation>unison</translation>
    </message>
    <message>
        <source>基準</source>
        <translation>fixed</translation>
    </message>
    <message>
        <source>短7度の純正 %1</source>
        <translation>Just minor 7th: %1</translation>
    </message>
    <message>
        <source>コード</source>
        <translation>Chord</translation>
    </message>
    <message>
        <source>セント (短7度 %1)</source>
        <translation>Cents (minor 7th %1)</translation>
    </message>
</context>
<context>
    <name>chordvane::ctlNoteInput</name>
    <message>
        <source>右クリックで臨時記号</source>
        <translation>Right-click to change the accidental</translation>
    </message>
    <message>
        <source>クリックするとヘ音記号</source>
        <translation>Click for the bass clef</translation>
    </message>
    <message>
        <source>クリックするとト音記号</source>
        <translation>Click for the treble clef</translation>
    </message>
</context>
<context>
    <name>chordvane::frmCodeShow</name>
    <message>
        <source>コード検索結果</source>
        <translation>Chord search results</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>純正律対応表 (単位：セント)</source>
        <translation>Just intonation (cents)</translation>
    </message>
    <message>
        <source>純正律表をコピー(&amp;J)</source>
        <translation>Copy &amp;table</translation>
    </message>
    <message>
        <source>コードの構成(&amp;S)</source>
        <translation>&amp;Keyboard view</translation>
    </message>
    <message>
        <source>試聴(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>純正律で試聴(&amp;T)</source>
        <translation>Play &amp;just</translation>
    </message>
    <message>
        <source>合致度：&#x3000;</source>
        <translation>Match rate: </translation>
    </message>
    <message>
        <source>合致度：&#x3000;%1％</source>
        <translation>Match rate: %1%</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>クリップボードにコピーしました</source>
        <translation>The table was copied to the clipboard.</translation>
    </message>
    <message>
        <source>奏者</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>記譜音</source>
        <translation>Written</translation>
    </message>
    <message>
        <source>度数</source>
        <translation>Degree</translation>
    </message>
    <message>
        <source>補正</source>
        <translation>Adjust</translation>
    </message>
    <message>
        <source>音程補正をコピー(&amp;K)</source>
        <translation>Copy t&amp;uning</translation>
    </message>
    <message>
        <source>奏者ごとの音程補正 (単位：セント、短7度 %1)</source>
        <translation>Tuning by player (cents; minor 7th %1)</translation>
    </message>
    <message>
        <source>ユニゾン</source>
        <translation>unison</translation>
    </message>
    <message>
        <source>コードなし</source>
        <translation>no chord</translation>
    </message>
    <message>
        <source>基準</source>
        <translation>fixed</translation>
    </message>
</context>
<context>
    <name>chordvane::frmMain</name>
    <message>
        <source>コードリストファイルを読み込めません。</source>
        <translation>The chord list file cannot be read.</translation>
    </message>
    <message>
        <source>コードリストファイルにコードがひとつもありません。</source>
        <translation>The chord list file holds no chords.</translation>
    </message>
    <message>
        <source>コードリストファイルが大きすぎます (64 MiB まで)。</source>
        <translation>The chord list file is too large (64 MiB at most).</translation>
    </message>
    <message>
        <source>コードリストファイルを文字として読めません。UTF-8 で保存してください。</source>
        <translation>The chord list file cannot be read as text. Save it as UTF-8.</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>コードリストファイルが見つかりません。&apos;正しいパスを入力してください</source>
        <translation>The chord list file was not found. Enter its path:</translation>
    </message>
    <message>
        <source>ベース (最低音)</source>
        <translation>Bass (lowest note)</translation>
    </message>
    <message>
        <source>コードを検索(&amp;F)</source>
        <translation>&amp;Find chords</translation>
    </message>
    <message>
        <source>試聴(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>クリア(&amp;C)</source>
        <translation>&amp;Clear</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>ベース音を指定してください</source>
        <translation>Enter the bass note first.</translation>
    </message>
    <message>
        <source>コードリストが読み込まれていないため、検索できません</source>
        <translation>No chord list is loaded, so there is nothing to search.</translation>
    </message>
    <message>
        <source>試聴する音がありません。行に音を入力してください</source>
        <translation>There is nothing to play. Enter notes in the rows.</translation>
    </message>
    <message>
        <source>オルガン(&amp;O)</source>
        <translation>&amp;Organ</translation>
    </message>
    <message>
        <source>ストリングス(&amp;S)</source>
        <translation>&amp;Strings</translation>
    </message>
    <message>
        <source>ブラス(&amp;B)</source>
        <translation>&amp;Brass</translation>
    </message>
    <message>
        <source>ピアノ(&amp;P)</source>
        <translation>&amp;Piano</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>検索設定(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>類似コード検索(&amp;C)</source>
        <translation>Similar &amp;chords</translation>
    </message>
    <message>
        <source>完全一致検索</source>
        <translation>Exact matches only</translation>
    </message>
    <message>
        <source>合致度 %1%～</source>
        <translation>Match rate %1% and up</translation>
    </message>
    <message>
        <source>ジャズコードを検索しない(&amp;J)</source>
        <translation>No &amp;jazz chords</translation>
    </message>
    <message>
        <source>合致度の高い順に並べる(&amp;R)</source>
        <translation>&amp;Rank by match rate</translation>
    </message>
    <message>
        <source>試聴の音色(&amp;S)</source>
        <translation>Chord &amp;sound</translation>
    </message>
    <message>
        <source>表示言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>使い方(&amp;H)</source>
        <translation>&amp;How to use</translation>
    </message>
    <message>
        <source>翻訳ファイルを読み込めません。
%1</source>
        <translation>The translation file cannot be read.
%1</translation>
    </message>
    <message>
        <source>ファイルのオープンに失敗しました
</source>
        <translation>The file could not be opened.
</translation>
    </message>
    <message>
        <source>短7度の純正(&amp;7)</source>
        <translation>Just minor &amp;7th</translation>
    </message>
    <message>
        <source>%1 (%2 ¢)</source>
        <translation>%1 (%2 ¢)</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)</source>
        <translation>&amp;About Chordvane</translation>
    </message>
</context>
<context>
    <name>chordvane::frmPiano</name>
    <message>
        <source>コードの構成</source>
        <translation>Chord tones</translation>
    </message>
    <message>
        <source>ベース音</source>
        <translation>Bass</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
