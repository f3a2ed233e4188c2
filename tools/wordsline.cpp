// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/wordsline.h"

#include <QString>

#include "core/chequeerror.h"
#include "output/cheque.h"
#include "output/printrun.h"

namespace {

// Appends `text` escaped as Printable says.
void AppendPrintable(std::string &out, const std::string &text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    // Bytes that stand as they are go out in runs, not one by one.
    std::size_t run = 0;
    auto escape = [&](std::size_t at, const char *with) {
        out.append(text, run, at - run);
        out += with;
        run = at + 1;
    };
    auto escapeByte = [&](std::size_t at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const char hex[] = {'\\', 'x', kHex[byte >> 4], kHex[byte & 15], '\0'};
        escape(at, hex);
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\\') {
            escape(i, "\\\\");
            ++i;
        } else if (byte < 0x20 || byte == 0x7f) {
            escapeByte(i);
            ++i;
        } else if (byte < 0x80) {
            ++i;
        } else {
            // A whole UTF-8 sequence stands; anything else is escaped.
            const std::size_t length = byte >= 0xf0 ? 4 : byte >= 0xe0 ? 3 : byte >= 0xc2 ? 2 : 0;
            bool valid = length > 0 && byte <= 0xf4 && i + length <= text.size();
            for (std::size_t k = 1; valid && k < length; ++k)
                valid = (static_cast<unsigned char>(text[i + k]) & 0xc0) == 0x80;
            if (valid && length == 3) {
                const auto second = static_cast<unsigned char>(text[i + 1]);
                valid = !(byte == 0xe0 && second < 0xa0) && !(byte == 0xed && second >= 0xa0);
            } else if (valid && length == 4) {
                const auto second = static_cast<unsigned char>(text[i + 1]);
                valid = !(byte == 0xf0 && second < 0x90) && !(byte == 0xf4 && second >= 0x90);
            }
            if (valid) {
                i += length;
            } else {
                escapeByte(i);
                ++i;
            }
        }
    }
    out.append(text, run, text.size() - run);
}

} // namespace

std::string Printable(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    AppendPrintable(out, text);
    return out;
}

bool AppendWordsLine(std::string &out, const std::string &amount, const MonyType &money, bool asTyped)
{
    if (!asTyped) {
        // As Print reads it: in the desktop's number format, refused as a
        // cheque would be; the words are those it checked.
        const ChequeAmount read = ReadChequeAmount(QString::fromStdString(amount), money);
        if (read.refusal) {
            out += "error\t";
            AppendPrintable(out, read.refusal->toStdString());
            return false;
        }
        AppendPrintable(out, read.words.english);
        out += '\t';
        AppendPrintable(out, read.words.arabic);
        return true;
    }
    std::string english, arabic;
    try {
        AmountToWords(amount, money, english, arabic);
    } catch (const ChequeError &error) {
        out += "error\t";
        AppendPrintable(out, error.message());
        return false;
    }
    AppendPrintable(out, english);
    out += '\t';
    AppendPrintable(out, arabic);
    return true;
}
