#include "JapaneseTexts.h"

namespace {

QString writeProblemText(WriteFailure problem, const QStringList& args)
{
    switch (problem) {
    case WriteFailure::InvalidName:
        return QStringLiteral("ファイル名が正しくありません。");
    case WriteFailure::IsFolder:
        return QStringLiteral("同じ名前のフォルダーがあります。");
    case WriteFailure::NotRegularFile:
        return QStringLiteral("通常のファイルではありません。");
    case WriteFailure::ReadOnly:
        return QStringLiteral("読み取り専用のファイルです。");
    case WriteFailure::System:
    case WriteFailure::None:
        break;
    }
    return args.value(1);
}

// The sentences of UnreadBytes and WriteUnreadBytes (readLossPrompt) that apply, one per line.
QStringList readLossLines(const QStringList& args, bool writing)
{
    QStringList lines;
    if (args.value(1) != u"0") {
        lines.append(writing ? QStringLiteral("%1で読めなかった%2バイト（最初は%3行目）は「\uFFFD」として書き込まれ、"
                                              "元のバイトには戻りません。")
                             : QStringLiteral("%1で読めないバイトが%2バイトあります（最初は%3行目）。"
                                              "読めないバイトは「\uFFFD」で表示しています。"));
        lines.last() = lines.last().arg(args.value(0), args.value(1), args.value(2));
    }
    if (args.value(3) != u"0") {
        lines.append(writing ? QStringLiteral("%1行目のNUL文字から後ろは読み込んでいないため、書き込むと失われます。")
                             : QStringLiteral("%1行目にNUL文字があるため、その後ろは読み込んでいません。"));
        lines.last() = lines.last().arg(args.value(3));
    }
    return lines;
}

QString nearestCharactersText(const QStringList& a)
{
    if (a.value(3) == u"1")
        return QStringLiteral("%1行目の文字「%2」(U+%3)は%4でそのまま書き込めません。\r\n"
                              "近い文字「%5」に置き換えて書き込みますか？")
            .arg(a.value(0), a.value(1), a.value(2), a.value(4), a.value(5));
    return QStringLiteral("%1行目の文字「%2」(U+%3)など%4文字は%5でそのまま書き込めません。\r\n"
                          "近い文字（「%2」は「%6」）に置き換えて書き込みますか？")
        .arg(a.value(0), a.value(1), a.value(2), a.value(3), a.value(4), a.value(5));
}

} // namespace

QString promptText(const Prompt& prompt)
{
    const QStringList& a = prompt.args;
    switch (prompt.id) {
    case PromptId::ReadFailed:
        return QStringLiteral("読み込みに失敗しました。");
    case PromptId::LoadStopped:
        return QStringLiteral("読み込みを中止しました。");
    case PromptId::NoHtmlTag:
        return QStringLiteral("HTMLタグが見つかりません｡\r\n"
                              "HTMLファイルではない可能性があります｡\r\n"
                              "書き込むを行うとファイルが壊れる可能性があります｡\r\n"
                              "読込を続けますか？");
    case PromptId::DiscardEdits:
        return QStringLiteral("現在編集中のデータは変更されています。\r\nデータの読み込みを行いますか？");
    case PromptId::LinkNotFound:
        return QStringLiteral("見つかりませんでした。");
    case PromptId::NotLoaded:
        return QStringLiteral("HTMLファイルを読み込んでください。");
    case PromptId::Unchanged:
        return QStringLiteral("変更されていません。");
    case PromptId::NumberedExtension:
        return QStringLiteral("拡張子が数字です。\r\n"
                              "履歴ファイルの可能性があります。\r\n"
                              "\r\n"
                              "<はい(Y)>\t\t上書きを行う。\r\n"
                              "<いいえ(N)>\t名前を変えて書き込みを行う。\r\n"
                              "<キャンセル>\t書き込みを中止する。");
    case PromptId::Written:
        return QStringLiteral("書き込みを行いました。");
    case PromptId::WriteFailed:
        return QStringLiteral("書き込みに失敗しました。\r\n%1\r\n%2")
            .arg(a.value(0), writeProblemText(prompt.problem, a));
    case PromptId::Unencodable:
        return QStringLiteral("書き込みに失敗しました。\r\n%1行目の文字「%2」(U+%3)は%4で表せません。")
            .arg(a.value(0), a.value(1), a.value(2), a.value(3));
    case PromptId::NearestCharacters:
        return nearestCharactersText(a);
    case PromptId::UnreadBytes:
        return readLossLines(a, false).join(QStringLiteral("\r\n"));
    case PromptId::WriteUnreadBytes:
        return (readLossLines(a, true) << QStringLiteral("書き込みますか？")).join(QStringLiteral("\r\n"));
    case PromptId::SaveBeforeClose:
        return QStringLiteral("内容が変更されています。\r\n\r\n変更内容を書き込みますか?");
    case PromptId::NoSystemInfoTool:
        return QStringLiteral("この環境ではシステム情報を使用できません。");
    case PromptId::UnknownEncodingSetting:
        return QStringLiteral("INIファイルの文字コード「%1」は使用できません。\r\n文字コードは文書ごとに判別します。")
            .arg(a.value(0));
    }
    return QString();
}

QString fileDialogFilter(FileDialogKind kind)
{
    switch (kind) {
    case FileDialogKind::OpenDocument:
        return QStringLiteral("HTMLファイル (*.HTM;*.HTML)|*.HTM;*HTML|すべてのファイル|*.*");
    case FileDialogKind::SaveLinkList:
        return QStringLiteral("CSVファイル (*.csv)|*.csv|すべてのファイル|*.*");
    case FileDialogKind::WriteDocument:
        break;
    }
    return QStringLiteral("すべてのファイル|*.*");
}

QString phaseText(CheckPhase phase)
{
    return phase == CheckPhase::Counting ? QStringLiteral("リンク数の割り出し中...")
                                         : QStringLiteral("調査中のリンク先");
}

QString linkClassLabel(LinkClass linkClass)
{
    switch (linkClass) {
    case LinkClass::OkWeb:
        return QStringLiteral("OK：Webリンク");
    case LinkClass::OkFile:
        return QStringLiteral("OK：Fileリンク");
    case LinkClass::OkPage:
        return QStringLiteral("OK：ページリンク");
    case LinkClass::NgWeb:
        return QStringLiteral("NG：Webリンク");
    case LinkClass::NgFile:
        return QStringLiteral("NG：Fileリンク");
    case LinkClass::NgPage:
        return QStringLiteral("NG：ページリンク");
    case LinkClass::NotChecked:
        break;
    }
    return QStringLiteral("未調査リンク");
}

QString linkClassSentence(LinkClass linkClass)
{
    switch (linkClass) {
    case LinkClass::OkWeb:
        return QStringLiteral("Webにリンクしています。");
    case LinkClass::OkFile:
        return QStringLiteral("Fileにリンクしています。");
    case LinkClass::OkPage:
        return QStringLiteral("ページ内でリンクしています。");
    case LinkClass::NgWeb:
        return QStringLiteral("Webでリンク先が見つかりません。");
    case LinkClass::NgFile:
        return QStringLiteral("Fileが見つかりません。");
    case LinkClass::NgPage:
        return QStringLiteral("ページ内でリンク先が見つかりません。");
    case LinkClass::NotChecked:
        break;
    }
    return QStringLiteral("リンク確認を行いません。");
}

QString anyLinkLabel()
{
    return QStringLiteral("次のリンク");
}

namespace {

QString phraseText(const ReasonPart& part)
{
    const QStringList& a = part.args;
    switch (part.phrase) {
    case ReasonPhrase::NoHref:
        return QStringLiteral("HREFの値がありません");
    case ReasonPhrase::EmptyValue:
        return QStringLiteral("空のリンクは調べません");
    case ReasonPhrase::NotCheckedScheme:
        return QStringLiteral("%1:のリンクは調べません").arg(a.value(0));
    case ReasonPhrase::AnchorFound:
        return QStringLiteral("アンカー「%1」があります").arg(a.value(0));
    case ReasonPhrase::AnchorMissing:
        return QStringLiteral("文書にidまたはname「%1」がありません").arg(a.value(0));
    case ReasonPhrase::FileFound:
        return QStringLiteral("ファイルがあります: %1").arg(a.value(0));
    case ReasonPhrase::FileMissing:
        return QStringLiteral("ファイルがありません: %1").arg(a.value(0));
    case ReasonPhrase::HttpStatus:
        return a.value(1).isEmpty() ? a.value(0) : a.value(0) + u' ' + a.value(1);
    case ReasonPhrase::FtpFileFound:
        return QStringLiteral("FTPサーバーからファイルを受け取りました");
    case ReasonPhrase::CutWhileStreaming:
        return QStringLiteral("受信が続いたため途中で打ち切りました（リンク先はあります）");
    case ReasonPhrase::SameAsNotFound:
        return QStringLiteral("存在しないページと同じ応答です（ソフト404、またはどのパスにも同じページを返すサイト）");
    case ReasonPhrase::MissingHeaders:
        return QStringLiteral("Server・Date・Last-Modifiedヘッダーのない応答です");
    case ReasonPhrase::HostNotFound:
        return QStringLiteral("ホストが見つかりません");
    case ReasonPhrase::ConnectionRefused:
        return QStringLiteral("接続を拒否されました");
    case ReasonPhrase::ConnectTimeout:
        return QStringLiteral("%1秒以内に応答がありません").arg(a.value(0));
    case ReasonPhrase::Stalled:
        return QStringLiteral("%1秒間データが届きません").arg(a.value(0));
    case ReasonPhrase::TlsUntrusted:
        return QStringLiteral("TLS証明書を信頼できません");
    case ReasonPhrase::TlsFailed:
        return QStringLiteral("TLSで失敗しました: %1").arg(a.value(0));
    case ReasonPhrase::TooManyRedirects:
        return QStringLiteral("リダイレクトが多すぎます（%1回）").arg(a.value(0));
    case ReasonPhrase::ProtocolNotAllowed:
        return QStringLiteral("許可されていないプロトコルへのリダイレクトです");
    case ReasonPhrase::TooLarge:
        return QStringLiteral("大きすぎるか、届くのが遅すぎます");
    case ReasonPhrase::RemoteFileNotFound:
        return QStringLiteral("FTPサーバーにファイルがありません");
    case ReasonPhrase::Stopped:
        return QStringLiteral("中止しました");
    case ReasonPhrase::InvalidUrl:
        return QStringLiteral("URLが正しくありません");
    case ReasonPhrase::OtherFailure:
        return a.value(0).isEmpty() ? QStringLiteral("要求に失敗しました") : a.value(0);
    case ReasonPhrase::FragmentFound:
        return QStringLiteral("ページにidまたはname「%1」があります").arg(a.value(0));
    case ReasonPhrase::FragmentMissing:
        return QStringLiteral("ただしページにidまたはname「%1」がありません").arg(a.value(0));
    case ReasonPhrase::RedirectedTo:
        return QStringLiteral("移動先: %1").arg(a.value(0));
    }
    return QString();
}

} // namespace

QString reasonText(const QList<ReasonPart>& parts)
{
    QStringList texts;
    for (const ReasonPart& part : parts)
        texts.append(phraseText(part));
    return texts.join(QStringLiteral("、"));
}
