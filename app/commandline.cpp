#include "commandline.h"

#define MARVO_STRINGIFY2(x) #x
#define MARVO_STRINGIFY(x) MARVO_STRINGIFY2(x)

CommandLine ParseCommandLine(const QStringList& arguments, bool strict)
{
    CommandLine line;
    bool options = true;
    for (const QString& argument : arguments) {
        if (!options || argument == QLatin1String("-") || !argument.startsWith(QLatin1Char('-'))) {
            line.files << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            options = false;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            line.action = CommandLine::Action::Help;
            return line;
        } else if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            line.action = CommandLine::Action::Version;
            return line;
        } else if (strict && line.action == CommandLine::Action::Run) {
            line.action = CommandLine::Action::Error;
            line.error = QStringLiteral("marvo: 不明なオプション %1\n"
                                        "使い方は 'marvo --help' で表示されます。")
                             .arg(argument);
        }
    }
    return line;
}

QString HelpText()
{
    return QStringLiteral(
        "使い方: marvo [オプション] [ファイル.qlm...]\n"
        "\n"
        "Orlindo 発車標の時刻表ファイル (*.qlm) を編集します。ファイルを指定しないと\n"
        "新しい時刻表 (QLM1) を開きます。MARVO が既に動いていれば、ファイルはその\n"
        "MARVO で開きます。\n"
        "\n"
        "オプション:\n"
        "  -h, --help     この説明を表示して終了します\n"
        "  -v, --version  バージョンを表示して終了します\n"
        "  --             これより後の引数はすべてファイル名です\n"
        "Qt の標準オプション (-platform、-style など) も使えます。\n"
        "\n"
        "環境変数:\n"
        "  MARVO_SERVER_NAME     動いている MARVO にファイルを渡すソケットの名前\n"
        "  MARVO_NONINTERACTIVE  1 のとき、メッセージを標準エラー出力に書き、問いには\n"
        "                        「ｷｬﾝｾﾙ」と答えます (何も失われません)\n"
        "\n"
        "マニュアルは ﾍﾙﾌﾟ メニューか F1 で開きます (man marvo も参照)。\n"
        "時刻表ファイルをコマンドラインで扱うには qlmtool を使います。\n");
}

QString VersionText()
{
    return QStringLiteral("marvo " MARVO_STRINGIFY(MARVO_VERSION_MAJOR) "." MARVO_STRINGIFY(
        MARVO_VERSION_MINOR) "." MARVO_STRINGIFY(MARVO_VERSION_PATCH) "\n");
}
