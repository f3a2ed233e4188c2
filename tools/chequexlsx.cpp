// SPDX-License-Identifier: GPL-3.0-or-later
// cheque-xlsx: writes an Excel workbook from rows given on standard input,
// for the program's exports. It runs as a process of its own because the
// workbook library and the library the program reads workbooks with carry
// zip functions of the same names and different meanings: in one process
// one would call the other's.
//
//   cheque-xlsx [--shared-strings] OUT.xlsx < rows
//
// Each input line is a row of cells separated by tabs; a cell is a type
// letter and its value: s text, b bold text, n number, 2 or 3 an amount
// with 2 or 3 decimals, d a date (yyyy-mm-dd), t a date and time
// (yyyy-mm-ddThh:mm:ss), - nothing. In values \t, \n, \r and \\ stand for a
// tab, a line feed, a carriage return and a backslash. Lines starting with
// # give the sheet: "#sheet NAME", "#freeze", "#width COLUMN WIDTH" (tab
// separated). The exit status is 0 when the workbook was written, 1 when
// the input is not such rows, 2 when the file cannot be written.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <xlsxwriter.h>

namespace {

std::string Unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: out += text[i]; break;
        }
    }
    return out;
}

std::vector<std::string_view> Split(std::string_view line)
{
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return cells;
        start = tab + 1;
    }
}

bool ReadDateTime(std::string_view text, lxw_datetime &dt)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    const std::string t(text);
    const int n = std::sscanf(t.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d", &y, &mo, &d, &h, &mi, &s);
    if (n != 3 && n != 6)
        return false;
    dt = lxw_datetime{y, mo, d, h, mi, double(s)};
    return true;
}

int Fail(const char *what, long line)
{
    std::fprintf(stderr, "cheque-xlsx: line %ld: %s\n", line, what);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    bool shared = false;
    const char *out = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--shared-strings") == 0)
            shared = true;
        else
            out = argv[i];
    }
    if (!out) {
        std::fprintf(stderr, "usage: cheque-xlsx [--shared-strings] OUT.xlsx < rows\n");
        return 1;
    }
    std::ios::sync_with_stdio(false);
    lxw_workbook_options options{};
    // Rows go to the file as they come: a million rows in little memory
    // (and inline strings); shared strings keep every text in memory.
    options.constant_memory = shared ? LXW_FALSE : LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(out, &options);
    if (!book)
        return 2;
    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format *money2 = workbook_add_format(book);
    format_set_num_format(money2, "#,##0.00");
    lxw_format *money3 = workbook_add_format(book);
    format_set_num_format(money3, "#,##0.000");
    lxw_format *date = workbook_add_format(book);
    format_set_num_format(date, "yyyy-mm-dd");
    lxw_format *when = workbook_add_format(book);
    format_set_num_format(when, "yyyy-mm-dd hh:mm");

    lxw_worksheet *sheet = nullptr;
    lxw_row_t row = 0;
    std::string line;
    long lineNumber = 0;
    int status = 0;
    while (status == 0 && std::getline(std::cin, line)) {
        ++lineNumber;
        const std::vector<std::string_view> cells = Split(line);
        if (!line.empty() && line[0] == '#') {
            if (cells[0] == "#sheet" && cells.size() == 2) {
                sheet = workbook_add_worksheet(book, Unescape(cells[1]).c_str());
                row = 0;
                if (!sheet)
                    status = Fail("a sheet name a workbook cannot take", lineNumber);
            } else if (cells[0] == "#freeze" && sheet) {
                worksheet_freeze_panes(sheet, 1, 0);
            } else if (cells[0] == "#right-to-left" && sheet) {
                worksheet_right_to_left(sheet);
            } else if (cells[0] == "#width" && sheet && cells.size() == 3) {
                const auto column = lxw_col_t(std::atoi(std::string(cells[1]).c_str()));
                worksheet_set_column(sheet, column, column, std::atof(std::string(cells[2]).c_str()), nullptr);
            } else {
                status = Fail("an unknown instruction", lineNumber);
            }
            continue;
        }
        if (!sheet)
            sheet = workbook_add_worksheet(book, nullptr);
        if (row >= LXW_ROW_MAX) {
            status = Fail("more rows than a sheet holds", lineNumber);
            break;
        }
        for (std::size_t c = 0; c < cells.size() && status == 0; ++c) {
            const std::string_view cell = cells[c];
            if (cell.empty() || cell[0] == '-')
                continue;
            const std::string value = Unescape(cell.substr(1));
            const auto col = lxw_col_t(c);
            lxw_error error = LXW_NO_ERROR;
            switch (cell[0]) {
            case 's':
            case 'b':
                if (!value.empty())
                    error = worksheet_write_string(sheet, row, col, value.c_str(), cell[0] == 'b' ? bold : nullptr);
                break;
            case 'n':
            case '2':
            case '3': {
                char *end = nullptr;
                const double number = std::strtod(value.c_str(), &end);
                if (value.empty() || *end != '\0' || !std::isfinite(number)) {
                    status = Fail("a number that is not one", lineNumber);
                    break;
                }
                error = worksheet_write_number(sheet, row, col, number,
                                               cell[0] == '2'       ? money2
                                                   : cell[0] == '3' ? money3
                                                                    : nullptr);
                break;
            }
            case 'd':
            case 't': {
                lxw_datetime dt{};
                if (!ReadDateTime(value, dt)) {
                    status = Fail("a date that is not one", lineNumber);
                    break;
                }
                error = worksheet_write_datetime(sheet, row, col, &dt, cell[0] == 'd' ? date : when);
                break;
            }
            default: status = Fail("an unknown cell type", lineNumber); break;
            }
            if (error != LXW_NO_ERROR) {
                std::fprintf(stderr, "cheque-xlsx: line %ld: %s\n", lineNumber, lxw_strerror(error));
                status = 1;
            }
        }
        ++row;
    }
    if (status == 0 && !std::cin.eof())
        status = Fail("the rows could not be read", lineNumber);
    if (!sheet)
        workbook_add_worksheet(book, nullptr);
    const lxw_error closed = workbook_close(book);
    if (status == 0 && closed != LXW_NO_ERROR) {
        std::fprintf(stderr, "cheque-xlsx: %s\n", lxw_strerror(closed));
        return 2;
    }
    return status;
}
