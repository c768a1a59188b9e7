#include "textprintout.h"

#include "app/fonts.h"
#include "printgrid.h"

#include <QLabel>
#include <QPushButton>

TextPrintout::TextPrintout(Controls &ui, FormState &state, Printer &printer,
                           std::function<void(const QString &)> notify)
    : ui(ui), st(state), printer(printer), notify(std::move(notify))
{
    QObject::connect(ui.CommandPrintTxt, &QPushButton::clicked, [this] { CommandPrintTxt_Click(); });
}

void TextPrintout::CommandPrintTxt_Click()
{
    if (st.busyFlag == 0)
        PrintDraws();
}

void TextPrintout::PrintDraws()
{
    std::array<PrintedLine, 5> lines;
    for (int k = 0; k < 5; ++k) {
        lines[k].stamp = ui.lines[k].stamp->text();
        for (const QLabel *number : ui.lines[k].numbers)
            lines[k].numbers << number->text();
    }
    printer.setFontName(Fonts::mincho);
    printer.setFontSize(12);
    for (const PrintPiece &piece : textPage(ui.LabelSN->text(), lines))
        PrintAt(piece.column, piece.row, piece.text);
    if (!printer.endDoc())
        notify(QStringLiteral("印刷できませんでした: ") + printer.failure());
}

void TextPrintout::PrintAt(int column, int row, const QString &text)
{
    printer.setScaleMode(ScaleUnit::characters);
    printer.setCurrentX(float(column));
    printer.setCurrentY(float(row));
    printer.print(text);
}
