// cheque-words: the amount in English and Arabic words, outside the program.
//
//   cheque-words [--preset uae|syr] [--money FILE] [--digits 2|3] [AMOUNT...]
//
// One output line per amount: the English text, a TAB, the Arabic text.
// Without amounts on the command line they are read from standard input, one
// per line. Exit status 0 when every amount converted, 1 when one failed, 2
// for a bad option or a currency file that cannot be used.

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QString>

#include "words/DgToStU.h"
#include "currency/moneyfile.h"

namespace {

constexpr const char *kUsage =
    "usage: cheque-words [--preset uae|syr] [--money FILE] [--digits 2|3] [AMOUNT...]";

// A text for one field of an output line: control characters (a TAB or a
// line break would split the line), a backslash and bytes that are not
// UTF-8 are written as escapes ("\\x0a", "\\\\"), so that every input gives
// exactly one line.
std::string Printable(const std::string &text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    auto escape = [&out](unsigned char byte) {
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 15];
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\\') {
            out += "\\\\";
            ++i;
        } else if (byte < 0x20 || byte == 0x7f) {
            escape(byte);
            ++i;
        } else if (byte < 0x80) {
            out += char(byte);
            ++i;
        } else {
            // A whole UTF-8 sequence is copied; anything else is escaped.
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
                out.append(text, i, length);
                i += length;
            } else {
                escape(byte);
                ++i;
            }
        }
    }
    return out;
}

int UsageError(const std::string &why)
{
    std::cerr << "cheque-words: " << Printable(why) << '\n' << kUsage << '\n';
    return 2;
}

bool Convert(const std::string &amount, const MonyType &money)
{
    std::string english;
    std::string arabic;
    try {
        AmountToWords(amount, money, english, arabic);
    } catch (const ChequeError &error) {
        std::cout << "error\t" << Printable(error.message()) << '\n';
        return false;
    }
    std::cout << Printable(english) << '\t' << Printable(arabic) << '\n';
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // file names in the locale's encoding

    std::optional<std::string> preset;
    std::optional<std::string> moneyFile;
    std::optional<std::string> digits;
    std::vector<std::string> amounts;

    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (optionsEnded || arg.rfind("--", 0) != 0) {
            amounts.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help") {
            std::cout << kUsage << '\n';
            return 0;
        }
        std::string name = arg;
        std::optional<std::string> value;
        if (const auto eq = arg.find('='); eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        std::optional<std::string> *target = name == "--preset" ? &preset
                                           : name == "--money"  ? &moneyFile
                                           : name == "--digits" ? &digits
                                                                : nullptr;
        if (!target)
            return UsageError("unknown option '" + name + "'");
        if (!value) {
            if (i + 1 >= argc)
                return UsageError("option '" + name + "' needs a value");
            value = argv[++i];
        }
        if (target->has_value())
            return UsageError("option '" + name + "' given twice");
        *target = *value;
    }

    if (preset && moneyFile)
        return UsageError("--preset and --money exclude each other");

    MonyType money = UaeMoney();
    if (preset) {
        if (*preset == "syr")
            money = SyrMoney();
        else if (*preset != "uae")
            return UsageError("unknown preset '" + *preset + "' (uae or syr)");
    }
    if (moneyFile) {
        try {
            const MoneyRead read = ReadMoneyFile(QString::fromLocal8Bit(moneyFile->c_str()));
            if (read.damage) {
                std::cerr << "cheque-words: " << Printable(read.damage->toStdString()) << '\n';
                return 2;
            }
            money = read.money;
        } catch (const ChequeError &error) {
            std::cerr << "cheque-words: " << Printable(error.message()) << '\n';
            return 2;
        }
    }
    if (digits) {
        if (*digits == "2")
            money.PartDigits = 2;
        else if (*digits == "3")
            money.PartDigits = 3;
        else
            return UsageError("--digits takes 2 or 3, not '" + *digits + "'");
    }

    bool allConverted = true;
    if (!amounts.empty()) {
        for (const std::string &amount : amounts)
            allConverted = Convert(amount, money) && allConverted;
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            allConverted = Convert(line, money) && allConverted;
        }
    }
    std::cout.flush();
    return allConverted ? 0 : 1;
}
