#include "qlmdoc.h"

namespace {

QString Offset(qint64 offset)
{
    return QStringLiteral("%1 (0x%2)").arg(offset).arg(offset, 0, 16);
}

} // namespace

QString LoadError::English() const
{
    switch (kind) {
    case Kind::None:
        return QString();
    case Kind::TooShort:
        return QStringLiteral("not a timetable file: %1 bytes, too short for the 3-byte magic")
            .arg(available);
    case Kind::BadMagic:
        return QStringLiteral(
            "not a timetable file: byte 0: the magic is neither \"QL3\" nor \"QLM\"");
    case Kind::Truncated:
        return QStringLiteral("file cut short: byte %1: %2 needs %3 bytes, %4 left")
            .arg(Offset(offset), field)
            .arg(needed)
            .arg(available);
    case Kind::NegativeBlockCount:
        return QStringLiteral("damaged file: byte %1: %2 is negative").arg(Offset(offset), field);
    case Kind::BlockNameUnterminated:
        return QStringLiteral("damaged file: byte %1: %2 has no terminating zero within 8 bytes")
            .arg(Offset(offset), field);
    case Kind::BlockSizeTooLarge:
        return QStringLiteral("damaged file: byte %1: %2 claims %3 bytes, %4 left")
            .arg(Offset(offset), field)
            .arg(needed)
            .arg(available);
    case Kind::KeyBlockTruncated:
        return QStringLiteral("damaged file: byte %1: %2 does not end inside the block")
            .arg(Offset(offset), field);
    case Kind::KeyPathTooLong:
        return QStringLiteral("damaged file: byte %1: %2 is 64 bytes or longer")
            .arg(Offset(offset), field);
    }
    return QString();
}

QString LoadError::Japanese() const
{
    switch (kind) {
    case Kind::None:
        return QString();
    case Kind::TooShort:
        return QStringLiteral(
                   "時刻表ファイルではありません (ファイルの長さが %1 バイトしかありません)。")
            .arg(available);
    case Kind::BadMagic:
        return QStringLiteral(
            "時刻表ファイルではありません (先頭の識別子が \"QL3\" でも \"QLM\" でもありません)。");
    case Kind::Truncated:
        return QStringLiteral("ファイルが途中で切れています。\nバイト位置 %1: %2 に %3 "
                              "バイト必要ですが、残りは %4 バイトです。")
            .arg(Offset(offset), field)
            .arg(needed)
            .arg(available);
    case Kind::NegativeBlockCount:
        return QStringLiteral("ファイルが壊れています。\nバイト位置 %1: %2 が負の値です。")
            .arg(Offset(offset), field);
    case Kind::BlockNameUnterminated:
        return QStringLiteral("ファイルが壊れています。\nバイト位置 %1: %2 が 8 "
                              "バイト以内で終わっていません。")
            .arg(Offset(offset), field);
    case Kind::BlockSizeTooLarge:
        return QStringLiteral("ファイルが壊れています。\nバイト位置 %1: %2 は %3 "
                              "バイトですが、残りは %4 バイトです。")
            .arg(Offset(offset), field)
            .arg(needed)
            .arg(available);
    case Kind::KeyBlockTruncated:
        return QStringLiteral(
                   "ファイルが壊れています。\nバイト位置 %1: %2 がブロック内で終わっていません。")
            .arg(Offset(offset), field);
    case Kind::KeyPathTooLong:
        return QStringLiteral(
                   "ファイルが壊れています。\nバイト位置 %1: %2 が 64 バイト以上あります。")
            .arg(Offset(offset), field);
    }
    return QString();
}

QString SaveError::English() const
{
    if (kind == Kind::TooManyEntries)
        return QStringLiteral("%1 has %2 entries; a file can hold at most 65535")
            .arg(field)
            .arg(length);
    return QStringLiteral("%1 is %2 bytes long; a file can hold at most 65535 bytes per text")
        .arg(field)
        .arg(length);
}

QString SaveError::Japanese() const
{
    if (kind == Kind::TooManyEntries)
        return QStringLiteral("%1 が %2 件あります。65535 件までしか保存できません。")
            .arg(field)
            .arg(length);
    return QStringLiteral(
               "%1 が %2 バイトあります。1 つの文字列は 65535 バイトまでしか保存できません。")
        .arg(field)
        .arg(length);
}
