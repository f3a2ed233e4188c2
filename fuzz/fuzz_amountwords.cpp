// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an amount: the driver either converts them or raises the
// program's error type; it never crashes, and its texts never hold two
// blanks in a row.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "words/DgToStU.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const MonyType uae = UaeMoney();
    static const MonyType syr = SyrMoney();
    static const MonyType uae3 = [] {
        MonyType m = UaeMoney();
        m.PartDigits = 3;
        return m;
    }();
    const std::string_view amount(reinterpret_cast<const char *>(data), size);
    for (const MonyType *money : {&uae, &syr, &uae3}) {
        std::string english = "unset";
        std::string arabic = "unset";
        try {
            AmountToWords(amount, *money, english, arabic);
        } catch (const ChequeError &) {
            if (english != "unset" || arabic != "unset")
                std::abort(); // a failed conversion must leave both outputs alone
            continue;
        }
        if (english.find("  ") != std::string::npos || arabic.find("  ") != std::string::npos)
            std::abort();
        if (english.empty() != arabic.empty())
            std::abort();
    }
    return 0;
}
