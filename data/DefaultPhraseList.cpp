#include "data/DefaultPhraseList.h"

std::string DefaultPhraseList() {
    return R"(65
3
0
＾＾；
（＾＿＾）
＼(⌒∇⌒)／
（；_；）
はじめまして、クウィブラ開発チームです。
 + 表示と入力される文字を別にする : ここが、入力される内容
改行は\n、日付は%%d、時刻は%%tをいれます
---
--- ( - が 3個)だけで、区切り線になります。
--> だけで右側に改行します。
 * クウィブラの説明 (&R) : kwibra.txt
 * メモ帳 (&N) : C:\Windows\notepad.exe
 * notepad
 * クウィブラのホームページ (&O) : https://kwibra.example.jp/
 *メール[作者宛] (&M) : mailto:author@kwibra.example.jp
 * https://portal.example.jp/
 * C:\
 * My Documents : C:\My Documents
 -新しいメニュー(&N)
半角スペースとマイナス( -)が新しいメニューの開始です
 *最新版DL先 (&N) : https://kwibra.example.jp/download/
にゃお！
)";
}
