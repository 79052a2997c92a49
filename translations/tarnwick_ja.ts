<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About %1</source>
        <translation>%1のﾊﾞｰｼﾞｮﾝ情報</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>ﾊﾞｰｼﾞｮﾝ %1</translation>
    </message>
    <message>
        <source>Checks the links of HTML documents and repairs them in place.</source>
        <translation>HTML文書のリンクを調べ、その場で直します。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>ｼｽﾃﾑ情報(&amp;S)...</translation>
    </message>
</context>
<context>
    <name>ColorLegendWindow</name>
    <message>
        <source>Link colours</source>
        <translation>リンク文字列の色</translation>
    </message>
    <message>
        <source>The colours of links and what they mean</source>
        <translation>リンク文字列の色と意味</translation>
    </message>
    <message>
        <source>OK(&amp;O)</source>
        <translation>OK(&amp;O)</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>could not be read</source>
        <translation>読み込めませんでした</translation>
    </message>
    <message>
        <source>is a folder (use -r to check the documents in it)</source>
        <translation>フォルダーです（中の文書を調べるには -r を付けます）</translation>
    </message>
    <message>
        <source>the check was stopped</source>
        <translation>調査を中止しました</translation>
    </message>
    <message>
        <source>no HTML tag found: the file may not be HTML; checking it all the same</source>
        <translation>HTMLタグが見つかりません。HTMLファイルではない可能性がありますが、そのまま調べます</translation>
    </message>
    <message>
        <source>the encoding %1 cannot be used</source>
        <translation>文字コード「%1」は使用できません</translation>
    </message>
    <message>
        <source>%1 links: %2 OK, %3 NG, %4 not checked</source>
        <translation>リンク %1 件: OK %2 件、NG %3 件、未調査 %4 件</translation>
    </message>
    <message>
        <source>%1 document</source>
        <translation>文書 %1 件</translation>
    </message>
    <message>
        <source>%1 documents</source>
        <translation>文書 %1 件</translation>
    </message>
    <message>
        <source>, %1 could not be read</source>
        <translation>、読み込めない文書 %1 件</translation>
    </message>
    <message>
        <source>, %1 s)</source>
        <translation>、%1 秒)</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>このヘルプを表示します。</translation>
    </message>
    <message>
        <source>Shows the version.</source>
        <translation>バージョンを表示します。</translation>
    </message>
    <message>
        <source>Prints the NG links only.</source>
        <translation>NGのリンクだけを出力します。</translation>
    </message>
    <message>
        <source>Prints nothing: the exit status speaks.</source>
        <translation>何も出力しません。結果は終了ステータスで示します。</translation>
    </message>
    <message>
        <source>Checks every *.htm and *.html file below each folder given, in sorted order.</source>
        <translation>指定したフォルダー以下のすべての *.htm と *.html ファイルを、名前の順に調べます。</translation>
    </message>
    <message>
        <source>auto (the default) detects each document&apos;s encoding; NAME reads every document in that code page. Web answers that name no encoding of their own are read in the document&apos;s.</source>
        <translation>auto（既定）は文書ごとに文字コードを判定します。NAME を指定するとすべての文書をその文字コードで読み込みます。文字コードを示さないWebの応答は文書の文字コードで読みます。</translation>
    </message>
    <message>
        <source>Web requests made at once, over all hosts (default %1: enough to keep %2 hosts busy at the per-host limit, so the per-host limit is what bounds a check of many hosts); 1 checks one link after the other. The results are the same either way.</source>
        <translation>全ホストを合わせて同時に行うWeb要求の数です（既定 %1: ホストごとの上限で %2 ホストを同時に調べられる数なので、多くのホストを調べるときはホストごとの上限が速さを決めます）。1 にすると1つずつ順に調べます。どちらでも結果は同じです。</translation>
    </message>
    <message>
        <source>Of those, at most N to one host (default %1), to be polite to servers.</source>
        <translation>そのうち1つのホストへ同時に行う要求は N 件までにします（既定 %1）。サーバーに負担をかけないためです。</translation>
    </message>
    <message>
        <source>Local paths, folders (with -r) or http, https or ftp URLs.</source>
        <translation>ローカルのパス、フォルダー（-r を付けたとき）、または http・https・ftp のURL。</translation>
    </message>
    <message>
        <source>Give at least one DOCUMENT (see --help).</source>
        <translation>DOCUMENT を1つ以上指定してください（--help を参照）。</translation>
    </message>
    <message>
        <source>Unknown encoding: %1</source>
        <translation>不明な文字コードです: %1</translation>
    </message>
    <message>
        <source>--jobs and --per-host take a whole number of at least 1.</source>
        <translation>--jobs と --per-host には1以上の整数を指定してください。</translation>
    </message>
    <message>
        <source>Checks what pages load as well: images (src and srcset), stylesheets and other &lt;link href&gt;, scripts, frames, media, objects, image buttons, image map areas and refresh URLs.</source>
        <translation>ページが読み込むものも調べます: 画像（src と srcset）、スタイルシートなどの &lt;link href&gt;、スクリプト、フレーム、メディア、オブジェクト、画像ボタン、イメージマップの領域、refresh の URL。</translation>
    </message>
    <message>
        <source>could not be read: %1</source>
        <translation>読み込めませんでした: %1</translation>
    </message>
    <message>
        <source>The folder root-relative links (/about.html) of local documents start from. Without it, the folder given with -r, else each document&apos;s own folder.</source>
        <translation>ローカル文書の「/」で始まるリンク（/about.html）の起点にするフォルダーです。指定しないときは -r で指定したフォルダー、それもなければ文書ごとのフォルダーです。</translation>
    </message>
    <message>
        <source>Checks every &lt;A HREF&gt; link of HTML documents: in-page anchors, files on disk, web links over HTTP,
HTTPS and FTP. DOCUMENT is a local path, a folder (with -r) or an http, https or ftp URL; each
document is checked as the window checks it, and a URL answered once in a run is not asked again.

Formats:
  text  FILE:LINE:COLUMN: RESULT VALUE (REASON), one line per link, then a summary line
  tsv   START&lt;TAB&gt;CODE&lt;TAB&gt;VALUE (position of the tag&apos;s &quot;&lt;&quot;, result code, link value; a value&apos;s
        backslash, tab, CR and LF print as \\, \t, \r, \n); with several documents, each
        document&apos;s lines follow a line &quot;# DOCUMENT&quot;
  json  one object per document (document, encoding, links) and a summary
  csv   a header row, then one row per link
  github  one workflow annotation per NG link (::error file=FILE,line=LINE,col=COLUMN::RESULT VALUE (REASON))
Codes: -1 web OK, 1 file OK, 2 in-page OK, 95-99 not checked, 0/100 web NG, 101 file NG, 102 in-page NG.

Exit status: 0 every link OK, 1 some link NG, 2 some document could not be read (or a wrong option).</source>
        <translation>HTML文書のすべての &lt;A HREF&gt; リンクを調べます: ページ内のアンカー、ディスク上のファイル、HTTP・HTTPS・FTPの
Webのリンク。DOCUMENT はローカルのパス、フォルダー（-r を付けたとき）、または http・https・ftp のURLです。
各文書はウィンドウと同じように調べ、1回の実行で一度応答を得たURLには二度と問い合わせません。

形式:
  text  FILE:LINE:COLUMN: RESULT VALUE (REASON) をリンクごとに1行、最後に集計の1行
  tsv   START&lt;TAB&gt;CODE&lt;TAB&gt;VALUE（タグの「&lt;」の位置、結果コード、リンクの値。値の
        バックスラッシュ・タブ・CR・LFは \、	、、
 と書きます）。文書が複数のときは、
        各文書の行の前に「# DOCUMENT」の行
  json  文書ごとに1つのオブジェクト（document、encoding、links）と集計
  csv   見出しの行、続いてリンクごとに1行
  github  NGのリンクごとにワークフローの注釈1つ（::error file=FILE,line=LINE,col=COLUMN::RESULT VALUE (REASON)）
コード: -1 Web OK、1 ファイル OK、2 ページ内 OK、95-99 未調査、0/100 Web NG、101 ファイル NG、102 ページ内 NG。

終了ステータス: 0 すべてのリンクがOK、1 NGのリンクがある、2 読み込めない文書がある（またはオプションの誤り）。</translation>
    </message>
    <message>
        <source>Leaves out links whose absolute address (URL, or file: URL of a local file) matches the regular expression; repeatable. Code 96.</source>
        <translation>絶対アドレス（URL、またはローカルファイルの file: URL）が正規表現に一致するリンクを調べずに除外します（コード 96）。複数回指定できます。</translation>
    </message>
    <message>
        <source>Checks only links whose absolute address matches one of these regular expressions (repeatable); an include wins over --exclude.</source>
        <translation>絶対アドレスがこれらの正規表現のいずれかに一致するリンクだけを調べます（複数回指定できます）。--exclude より優先します。</translation>
    </message>
    <message>
        <source>Checks without the network: web links are left out (code 96).</source>
        <translation>ネットワークを使わずに調べます。Webのリンクは除外します（コード 96）。</translation>
    </message>
    <message>
        <source>The most a web link&apos;s whole request may take (default %1).</source>
        <translation>Webのリンク1件の要求全体にかけてよい最長の秒数です（既定 %1）。</translation>
    </message>
    <message>
        <source>The User-Agent header of web requests.</source>
        <translation>Web要求のUser-Agentヘッダーです。</translation>
    </message>
    <message>
        <source>A request header sent to HOST only, never to the hosts its redirects lead to, and never printed; repeatable.</source>
        <translation>HOST だけに送る要求ヘッダーです。リダイレクト先の別のホストには送らず、出力にも表示しません。複数回指定できます。</translation>
    </message>
    <message>
        <source>HTTP statuses counted OK, such as 403,999 for sites that refuse automated checks.</source>
        <translation>OKとみなすHTTPステータスです。自動チェックを拒むサイトには 403,999 などを指定します。</translation>
    </message>
    <message>
        <source>Not a valid regular expression: %1 (%2)</source>
        <translation>正規表現が正しくありません: %1（%2）</translation>
    </message>
    <message>
        <source>--timeout takes a whole number of seconds of at least 1.</source>
        <translation>--timeout には1以上の整数（秒）を指定してください。</translation>
    </message>
    <message>
        <source>--header takes HOST=Name: value (given for %1).</source>
        <translation>--header は HOST=Name: value の形で指定してください（%1 に指定されたもの）。</translation>
    </message>
    <message>
        <source>--accept takes HTTP statuses separated by commas: %1</source>
        <translation>--accept にはコンマで区切ったHTTPステータスを指定してください: %1</translation>
    </message>
    <message>
        <source>Output format: text (the default), tsv, json, csv or github.</source>
        <translation>出力の形式: text（既定）、tsv、json、csv、github のいずれか。</translation>
    </message>
    <message>
        <source>Unknown format: %1 (text, tsv, json, csv or github).</source>
        <translation>不明な形式です: %1（text、tsv、json、csv、github のいずれか）。</translation>
    </message>
    <message>
        <source>Adds to each link the values that could repair it, nearest first: files of nearly the same name or of the same name elsewhere, the nearest ids of the page, or where a web link moved for good (301, 308). Not in tsv.</source>
        <translation>各リンクに修正候補を近い順に添えます: 名前がほぼ同じファイルや別のフォルダーにある同じ名前のファイル、ページの最も近い id、恒久的に移転した（301、308）Web リンクの移転先。tsv には付きません。</translation>
    </message>
</context>
<context>
    <name>EditorSearch</name>
    <message>
        <source>The regular expression is not valid</source>
        <translation>正規表現が正しくありません</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>見つかりません</translation>
    </message>
    <message>
        <source>Continued from the beginning</source>
        <translation>先頭から検索しました</translation>
    </message>
    <message>
        <source>Continued from the end</source>
        <translation>末尾から検索しました</translation>
    </message>
    <message>
        <source>%1 replaced</source>
        <translation>%1 件置換しました</translation>
    </message>
</context>
<context>
    <name>EncodingMenu</name>
    <message>
        <source>&amp;Encoding</source>
        <translation>文字コード(&amp;E)</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Match case</source>
        <translation>大文字と小文字を区別</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>正規表現</translation>
    </message>
    <message>
        <source>Link values only</source>
        <translation>リンク先の値だけ</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Find:</source>
        <translation>検索:</translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation>置換後:</translation>
    </message>
</context>
<context>
    <name>HttpStatus</name>
    <message>
        <source>OK</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>作成しました</translation>
    </message>
    <message>
        <source>Accepted</source>
        <translation>受け付けました</translation>
    </message>
    <message>
        <source>Non-Authoritative Information</source>
        <translation>信頼できない情報</translation>
    </message>
    <message>
        <source>No Content</source>
        <translation>内容なし</translation>
    </message>
    <message>
        <source>Partial Content</source>
        <translation>部分的な内容</translation>
    </message>
    <message>
        <source>Multiple Choices</source>
        <translation>複数の選択肢</translation>
    </message>
    <message>
        <source>Moved Permanently</source>
        <translation>恒久的に移動しました</translation>
    </message>
    <message>
        <source>Found</source>
        <translation>一時的に移動しました</translation>
    </message>
    <message>
        <source>See Other</source>
        <translation>他を参照</translation>
    </message>
    <message>
        <source>Not Modified</source>
        <translation>更新されていません</translation>
    </message>
    <message>
        <source>Temporary Redirect</source>
        <translation>一時的なリダイレクト</translation>
    </message>
    <message>
        <source>Permanent Redirect</source>
        <translation>恒久的なリダイレクト</translation>
    </message>
    <message>
        <source>Bad Request</source>
        <translation>不正なリクエスト</translation>
    </message>
    <message>
        <source>Unauthorized</source>
        <translation>認証が必要です</translation>
    </message>
    <message>
        <source>Forbidden</source>
        <translation>アクセスが禁止されています</translation>
    </message>
    <message>
        <source>Not Found</source>
        <translation>見つかりません</translation>
    </message>
    <message>
        <source>Method Not Allowed</source>
        <translation>許可されていないメソッド</translation>
    </message>
    <message>
        <source>Not Acceptable</source>
        <translation>受け入れられません</translation>
    </message>
    <message>
        <source>Request Timeout</source>
        <translation>リクエストがタイムアウトしました</translation>
    </message>
    <message>
        <source>Gone</source>
        <translation>削除されました</translation>
    </message>
    <message>
        <source>Too Many Requests</source>
        <translation>リクエストが多すぎます</translation>
    </message>
    <message>
        <source>Unavailable For Legal Reasons</source>
        <translation>法的な理由で利用できません</translation>
    </message>
    <message>
        <source>Internal Server Error</source>
        <translation>サーバー内部エラー</translation>
    </message>
    <message>
        <source>Not Implemented</source>
        <translation>実装されていません</translation>
    </message>
    <message>
        <source>Bad Gateway</source>
        <translation>不正なゲートウェイ</translation>
    </message>
    <message>
        <source>Service Unavailable</source>
        <translation>サービスを利用できません</translation>
    </message>
    <message>
        <source>Gateway Timeout</source>
        <translation>ゲートウェイがタイムアウトしました</translation>
    </message>
</context>
<context>
    <name>LinkListModel</name>
    <message>
        <source>Not checked</source>
        <translation>未調査</translation>
    </message>
    <message>
        <source>Edited (not checked)</source>
        <translation>編集済み（未調査）</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>リンク</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>理由</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>リンク先</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>タグ</translation>
    </message>
    <message>
        <source>Suggestion</source>
        <translation>修正候補</translation>
    </message>
</context>
<context>
    <name>LinkListPanel</name>
    <message>
        <source>Link list</source>
        <translation>リンク一覧</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>絞り込み</translation>
    </message>
    <message>
        <source>All links</source>
        <translation>すべてのリンク</translation>
    </message>
    <message>
        <source>Save as CSV...</source>
        <translation>CSV で保存...</translation>
    </message>
    <message>
        <source>%1 / %2 links</source>
        <translation>%1 / %2 件</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Stop (&amp;X)</source>
        <translation>中止(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>開く(&amp;O)</translation>
    </message>
    <message>
        <source>L&amp;oad</source>
        <translation>読込(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>書込(&amp;W)</translation>
    </message>
    <message>
        <source>Check one (I)</source>
        <translation>単一調査(I)</translation>
    </message>
    <message>
        <source>Check &amp;all again</source>
        <translation>全再調査(&amp;A)</translation>
    </message>
    <message>
        <source>F&amp;ile</source>
        <translation>ファイル(&amp;U)</translation>
    </message>
    <message>
        <source>Histor&amp;y</source>
        <translation>履歴(&amp;C)</translation>
    </message>
    <message>
        <source>B&amp;rowse</source>
        <translation>参照(&amp;R)</translation>
    </message>
    <message>
        <source>Make a &amp;backup file when writing.</source>
        <translation>書き込み時にバックアップファイルを作成する。(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Move to</source>
        <translation>移動種類(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Link &amp;colours</source>
        <translation>リンク文字列の色(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Link list</source>
        <translation>リンク一覧(&amp;L)</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>読み込み中...</translation>
    </message>
    <message>
        <source>Checking the link</source>
        <translation>調査中のリンク先</translation>
    </message>
    <message>
        <source>Check images, stylesheets and scripts too</source>
        <translation>画像・スタイルシート・スクリプトも調べる</translation>
    </message>
    <message>
        <source>Open &amp;folder...</source>
        <translation>フォルダーを開く(&amp;F)...</translation>
    </message>
    <message>
        <source>Previous NG page</source>
        <translation>前の NG ページ</translation>
    </message>
    <message>
        <source>Next NG page</source>
        <translation>次の NG ページ</translation>
    </message>
    <message>
        <source>Checking the site...</source>
        <translation>サイトを調べています...</translation>
    </message>
    <message>
        <source>Write &amp;as...</source>
        <translation>名前を付けて書込...</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>検索(&amp;F)...</translation>
    </message>
    <message>
        <source>&amp;Replace...</source>
        <translation>置換(&amp;R)...</translation>
    </message>
    <message>
        <source>Find &amp;next</source>
        <translation>次を検索(&amp;N)</translation>
    </message>
    <message>
        <source>Find &amp;previous</source>
        <translation>前を検索(&amp;P)</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Replace all</source>
        <translation>すべて置換</translation>
    </message>
    <message>
        <source>&amp;Go to line...</source>
        <translation>指定行へ移動(&amp;G)...</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>検索(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Suggestions for this link...</source>
        <translation>このリンクの修正候補(&amp;S)...</translation>
    </message>
    <message>
        <source>Update all &amp;permanent redirects</source>
        <translation>すべての恒久リダイレクトを更新(&amp;P)</translation>
    </message>
    <message>
        <source>Lin&amp;k</source>
        <translation>リンク(&amp;K)</translation>
    </message>
    <message>
        <source>No permanent redirect to update</source>
        <translation>更新する恒久リダイレクトはありません</translation>
    </message>
    <message>
        <source>%1 permanent redirects updated</source>
        <translation>恒久リダイレクト %1 件を更新しました</translation>
    </message>
</context>
<context>
    <name>Prompt</name>
    <message>
        <source>The file name is not valid.</source>
        <translation>ファイル名が正しくありません。</translation>
    </message>
    <message>
        <source>A folder has that name.</source>
        <translation>同じ名前のフォルダーがあります。</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>通常のファイルではありません。</translation>
    </message>
    <message>
        <source>The file is read-only.</source>
        <translation>読み取り専用のファイルです。</translation>
    </message>
    <message>
        <source>The %2 bytes that %1 could not read (the first on line %3) are written as U+FFFD and do not come back.</source>
        <translation>%1で読めなかった%2バイト（最初は%3行目）は「�」として書き込まれ、元のバイトには戻りません。</translation>
    </message>
    <message>
        <source>%2 bytes cannot be read as %1 (the first on line %3); they are shown as U+FFFD.</source>
        <translation>%1で読めないバイトが%2バイトあります（最初は%3行目）。読めないバイトは「�」で表示しています。</translation>
    </message>
    <message>
        <source>What follows the NUL character on line %1 was not read and is lost by writing.</source>
        <translation>%1行目のNUL文字から後ろは読み込んでいないため、書き込むと失われます。</translation>
    </message>
    <message>
        <source>A NUL character on line %1 ended the text: what follows it is not read.</source>
        <translation>%1行目にNUL文字があるため、その後ろは読み込んでいません。</translation>
    </message>
    <message>
        <source>The character &quot;%2&quot; (U+%3) on line %1 cannot be written in %4 as it is.<byte value="xd"/>
Write it as the nearest character &quot;%5&quot;?</source>
        <translation>%1行目の文字「%2」(U+%3)は%4でそのまま書き込めません。<byte value="xd"/>
近い文字「%5」に置き換えて書き込みますか？</translation>
    </message>
    <message>
        <source>The character &quot;%2&quot; (U+%3) on line %1 and %4 characters in all cannot be written in %5 as they are.<byte value="xd"/>
Write them as the nearest characters (&quot;%2&quot; as &quot;%6&quot;)?</source>
        <translation>%1行目の文字「%2」(U+%3)など%4文字は%5でそのまま書き込めません。<byte value="xd"/>
近い文字（「%2」は「%6」）に置き換えて書き込みますか？</translation>
    </message>
    <message>
        <source>The load was stopped.</source>
        <translation>読み込みを中止しました。</translation>
    </message>
    <message>
        <source>No HTML tag was found.<byte value="xd"/>
The file may not be HTML.<byte value="xd"/>
Writing it may damage the file.<byte value="xd"/>
Go on loading it?</source>
        <translation>HTMLタグが見つかりません｡<byte value="xd"/>
HTMLファイルではない可能性があります｡<byte value="xd"/>
書き込むを行うとファイルが壊れる可能性があります｡<byte value="xd"/>
読込を続けますか？</translation>
    </message>
    <message>
        <source>The text being edited has changed.<byte value="xd"/>
Load the document all the same?</source>
        <translation>現在編集中のデータは変更されています。<byte value="xd"/>
データの読み込みを行いますか？</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>見つかりませんでした。</translation>
    </message>
    <message>
        <source>Load an HTML file first.</source>
        <translation>HTMLファイルを読み込んでください。</translation>
    </message>
    <message>
        <source>Nothing has changed.</source>
        <translation>変更されていません。</translation>
    </message>
    <message>
        <source>The extension is a number.<byte value="xd"/>
The file may be a backup generation.<byte value="xd"/>
<byte value="xd"/>
&lt;Yes&gt;		Overwrite it.<byte value="xd"/>
&lt;No&gt;	Write under another name.<byte value="xd"/>
&lt;Cancel&gt;	Do not write.</source>
        <translation>拡張子が数字です。<byte value="xd"/>
履歴ファイルの可能性があります。<byte value="xd"/>
<byte value="xd"/>
&lt;はい(Y)&gt;		上書きを行う。<byte value="xd"/>
&lt;いいえ(N)&gt;	名前を変えて書き込みを行う。<byte value="xd"/>
&lt;キャンセル&gt;	書き込みを中止する。</translation>
    </message>
    <message>
        <source>The write failed.<byte value="xd"/>
%1<byte value="xd"/>
%2</source>
        <translation>書き込みに失敗しました。<byte value="xd"/>
%1<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>The write failed.<byte value="xd"/>
The character &quot;%2&quot; (U+%3) on line %1 cannot be written in %4.</source>
        <translation>書き込みに失敗しました。<byte value="xd"/>
%1行目の文字「%2」(U+%3)は%4で表せません。</translation>
    </message>
    <message>
        <source>Write all the same?</source>
        <translation>書き込みますか？</translation>
    </message>
    <message>
        <source>The text has changed.<byte value="xd"/>
<byte value="xd"/>
Write the changes?</source>
        <translation>内容が変更されています。<byte value="xd"/>
<byte value="xd"/>
変更内容を書き込みますか?</translation>
    </message>
    <message>
        <source>System information cannot be shown here.</source>
        <translation>この環境ではシステム情報を使用できません。</translation>
    </message>
    <message>
        <source>The encoding &quot;%1&quot; of the INI file cannot be used.<byte value="xd"/>
Each document&apos;s encoding is detected instead.</source>
        <translation>INIファイルの文字コード「%1」は使用できません。<byte value="xd"/>
文字コードは文書ごとに判別します。</translation>
    </message>
    <message>
        <source>The document could not be read.<byte value="xd"/>
%1</source>
        <translation>読み込みに失敗しました。<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>Another program changed the file after it was loaded.<byte value="xd"/>
%1<byte value="xd"/>
Overwrite it?<byte value="xd"/>
(No: load it again instead, without writing.)</source>
        <translation>ファイルは読み込んだ後にほかのプログラムで変更されています。<byte value="xd"/>
%1<byte value="xd"/>
上書きしますか？<byte value="xd"/>
（いいえ: 書き込まずに読み込み直します）</translation>
    </message>
    <message>
        <source>Another program changed the file.<byte value="xd"/>
%1<byte value="xd"/>
Load it again? (Edits not written are lost.)</source>
        <translation>ファイルがほかのプログラムで変更されました。<byte value="xd"/>
%1<byte value="xd"/>
読み込み直しますか？（書き込んでいない編集は失われます）</translation>
    </message>
    <message>
        <source>The end of the document was reached. Continue from the beginning?</source>
        <translation>文書の末尾に達しました。先頭から続けますか？</translation>
    </message>
    <message>
        <source>The beginning of the document was reached. Continue from the end?</source>
        <translation>文書の先頭に達しました。末尾から続けますか？</translation>
    </message>
    <message>
        <source>The document was written.<byte value="xd"/>
%1</source>
        <translation>書き込みを行いました。<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>The file name in the path box differs from the loaded document.<byte value="xd"/>
Write to %1?<byte value="xd"/>
(No: write to the loaded document %2)</source>
        <translation>パスボックスのファイル名が読み込んだ文書と違います。<byte value="xd"/>
%1 に書き込みますか？<byte value="xd"/>
（いいえ: 読み込んだ文書 %2 に書き込みます）</translation>
    </message>
</context>
<context>
    <name>Reason</name>
    <message>
        <source>no HREF value</source>
        <translation>HREFの値がありません</translation>
    </message>
    <message>
        <source>empty link, not checked</source>
        <translation>空のリンクは調べません</translation>
    </message>
    <message>
        <source>%1: link, not checked</source>
        <translation>%1:のリンクは調べません</translation>
    </message>
    <message>
        <source>anchor &quot;%1&quot; found</source>
        <translation>アンカー「%1」があります</translation>
    </message>
    <message>
        <source>no id or name &quot;%1&quot; in the document</source>
        <translation>文書にidまたはname「%1」がありません</translation>
    </message>
    <message>
        <source>found: %1</source>
        <translation>ファイルがあります: %1</translation>
    </message>
    <message>
        <source>no such file: %1</source>
        <translation>ファイルがありません: %1</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %3 (%2)</translation>
    </message>
    <message>
        <source>the FTP server sent the file</source>
        <translation>FTPサーバーからファイルを受け取りました</translation>
    </message>
    <message>
        <source>kept streaming and was cut short: it exists</source>
        <translation>受信が続いたため途中で打ち切りました（リンク先はあります）</translation>
    </message>
    <message>
        <source>same answer as a page that does not exist: a soft 404, or a site that answers every path with one page</source>
        <translation>存在しないページと同じ応答です（ソフト404、またはどのパスにも同じページを返すサイト）</translation>
    </message>
    <message>
        <source>answer without Server, Date or Last-Modified header</source>
        <translation>Server・Date・Last-Modifiedヘッダーのない応答です</translation>
    </message>
    <message>
        <source>host not found</source>
        <translation>ホストが見つかりません</translation>
    </message>
    <message>
        <source>connection refused</source>
        <translation>接続を拒否されました</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>%1秒以内に応答がありません</translation>
    </message>
    <message>
        <source>no data for %1 s</source>
        <translation>%1秒間データが届きません</translation>
    </message>
    <message>
        <source>TLS certificate not trusted</source>
        <translation>TLS証明書を信頼できません</translation>
    </message>
    <message>
        <source>TLS failed: %1</source>
        <translation>TLSで失敗しました: %1</translation>
    </message>
    <message>
        <source>too many redirects (%1)</source>
        <translation>リダイレクトが多すぎます（%1回）</translation>
    </message>
    <message>
        <source>redirect to a protocol that is not allowed</source>
        <translation>許可されていないプロトコルへのリダイレクトです</translation>
    </message>
    <message>
        <source>too large, or too slow to arrive</source>
        <translation>大きすぎるか、届くのが遅すぎます</translation>
    </message>
    <message>
        <source>no such file on the FTP server</source>
        <translation>FTPサーバーにファイルがありません</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>中止しました</translation>
    </message>
    <message>
        <source>invalid URL</source>
        <translation>URLが正しくありません</translation>
    </message>
    <message>
        <source>request failed</source>
        <translation>要求に失敗しました</translation>
    </message>
    <message>
        <source>the page has an id or name &quot;%1&quot;</source>
        <translation>ページにidまたはname「%1」があります</translation>
    </message>
    <message>
        <source>but the page has no id or name &quot;%1&quot;</source>
        <translation>ただしページにidまたはname「%1」がありません</translation>
    </message>
    <message>
        <source>redirected to %1</source>
        <translation>移動先: %1</translation>
    </message>
    <message>
        <source>; </source>
        <translation>、</translation>
    </message>
    <message>
        <source>&quot;%1:&quot; links are not checked</source>
        <translation>「%1:」のリンクは調べません</translation>
    </message>
    <message>
        <source>differs only in letter case from &apos;%1&apos;</source>
        <translation>「%1」と大文字・小文字だけが違います</translation>
    </message>
    <message>
        <source>the top of the page</source>
        <translation>ページの先頭です</translation>
    </message>
    <message>
        <source>this document</source>
        <translation>この文書です</translation>
    </message>
    <message>
        <source>no complete answer within %1 s</source>
        <translation>%1秒以内に応答が届ききりませんでした</translation>
    </message>
    <message>
        <source>less than one byte a second for %1 s</source>
        <translation>%1秒間、毎秒1バイトに満たない速さでしか届きません</translation>
    </message>
    <message>
        <source>the server&apos;s answer is not HTTP</source>
        <translation>サーバーの応答がHTTPの形式ではありません</translation>
    </message>
    <message>
        <source>the answer&apos;s headers are too large</source>
        <translation>応答のヘッダーが大きすぎます</translation>
    </message>
    <message>
        <source>permission denied: %1</source>
        <translation>読み取りを許可されていません: %1</translation>
    </message>
    <message>
        <source>a folder, not a file: %1</source>
        <translation>ファイルではなくフォルダーです: %1</translation>
    </message>
    <message>
        <source>not a regular file: %1</source>
        <translation>通常のファイルではありません: %1</translation>
    </message>
    <message>
        <source>larger than %2 MB: %1</source>
        <translation>%2 MBより大きいファイルです: %1</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>読み取れません: %1（%2）</translation>
    </message>
    <message>
        <source>%1 has no id or name &apos;%2&apos;</source>
        <translation>「%1」にidまたはname「%2」がありません</translation>
    </message>
    <message>
        <source>a link from the root, looked up in the document&apos;s folder: no site root is set</source>
        <translation>「/」で始まるリンクですが、サイトのルートが決まっていないため文書のフォルダーで探しました</translation>
    </message>
    <message>
        <source>left out: the address matches the exclude pattern %1</source>
        <translation>除外パターン「%1」に一致するため調べません</translation>
    </message>
    <message>
        <source>left out: the address matches no include pattern</source>
        <translation>対象パターンのどれにも一致しないため調べません</translation>
    </message>
    <message>
        <source>left out: checking without the network</source>
        <translation>ネットワークを使わない設定のため調べません</translation>
    </message>
    <message>
        <source>accepted status %1</source>
        <translation>OKとみなすステータス %1</translation>
    </message>
    <message>
        <source>the site may refuse automated checks</source>
        <translation>サイトが自動チェックを拒んでいる可能性があります</translation>
    </message>
</context>
<context>
    <name>SiteListModel</name>
    <message>
        <source>Page</source>
        <translation>ページ</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>リンク数</translation>
    </message>
    <message>
        <source>Encoding</source>
        <translation>文字コード</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>桁</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>リンク</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>理由</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>リンク先</translation>
    </message>
</context>
<context>
    <name>SitePanel</name>
    <message>
        <source>Site</source>
        <translation>サイト</translation>
    </message>
    <message>
        <source>Save as CSV...</source>
        <translation>CSV で保存...</translation>
    </message>
    <message>
        <source>%1 / %2 pages</source>
        <translation>%1 / %2 ページ</translation>
    </message>
</context>
<context>
    <name>SuggestionMenu</name>
    <message>
        <source>No suggestions</source>
        <translation>修正候補はありません</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>HTML files (*.HTM;*.HTML)|*.HTM;*HTML|All files|*.*</source>
        <translation>HTMLファイル (*.HTM;*.HTML)|*.HTM;*HTML|すべてのファイル|*.*</translation>
    </message>
    <message>
        <source>CSV files (*.csv)|*.csv|All files|*.*</source>
        <translation>CSVファイル (*.csv)|*.csv|すべてのファイル|*.*</translation>
    </message>
    <message>
        <source>All files|*.*</source>
        <translation>すべてのファイル|*.*</translation>
    </message>
    <message>
        <source>Counting the links...</source>
        <translation>リンク数の割り出し中...</translation>
    </message>
    <message>
        <source>Checking the link</source>
        <translation>調査中のリンク先</translation>
    </message>
    <message>
        <source>OK: web link</source>
        <translation>OK：Webリンク</translation>
    </message>
    <message>
        <source>OK: file link</source>
        <translation>OK：Fileリンク</translation>
    </message>
    <message>
        <source>OK: in-page link</source>
        <translation>OK：ページリンク</translation>
    </message>
    <message>
        <source>NG: web link</source>
        <translation>NG：Webリンク</translation>
    </message>
    <message>
        <source>NG: file link</source>
        <translation>NG：Fileリンク</translation>
    </message>
    <message>
        <source>NG: in-page link</source>
        <translation>NG：ページリンク</translation>
    </message>
    <message>
        <source>Link not checked</source>
        <translation>未調査リンク</translation>
    </message>
    <message>
        <source>Links to the web.</source>
        <translation>Webにリンクしています。</translation>
    </message>
    <message>
        <source>Links to a file.</source>
        <translation>Fileにリンクしています。</translation>
    </message>
    <message>
        <source>Links within the page.</source>
        <translation>ページ内でリンクしています。</translation>
    </message>
    <message>
        <source>The link target was not found on the web.</source>
        <translation>Webでリンク先が見つかりません。</translation>
    </message>
    <message>
        <source>The file was not found.</source>
        <translation>Fileが見つかりません。</translation>
    </message>
    <message>
        <source>The link target was not found in the page.</source>
        <translation>ページ内でリンク先が見つかりません。</translation>
    </message>
    <message>
        <source>The link is not checked.</source>
        <translation>リンク確認を行いません。</translation>
    </message>
    <message>
        <source>Next link</source>
        <translation>次のリンク</translation>
    </message>
    <message>
        <source>All NG</source>
        <translation>すべてのNG</translation>
    </message>
    <message>
        <source>NG %1 / all %2</source>
        <translation>NG %1 件 / 全 %2 件</translation>
    </message>
    <message>
        <source>Line number (1 - %1):</source>
        <translation>行番号 (1 - %1):</translation>
    </message>
</context>
</TS>
