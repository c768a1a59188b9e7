#include "textprintout.h"

#include "model/fonts.h"
#include "textpage.h"

#include <QLabel>
#include <QPushButton>

TextPrintout::TextPrintout(Controls &controls, Gate &gate, Printer &printer, TellUser tellUser)
    : controls(controls), gate(gate), printer(printer), tellUser(std::move(tellUser))
{
    QObject::connect(controls.CommandPrintTxt, &QPushButton::clicked, [this] { CommandPrintTxt_Click(); });
}

void TextPrintout::CommandPrintTxt_Click()
{
    if (gate.admit(Gate::Command))
        PrintDraws();
}

void TextPrintout::PrintDraws()
{
    std::array<PrintedLine, 5> lines;
    for (int k = 0; k < 5; ++k) {
        lines[k].stamp = controls.lines[k].stamp->text();
        for (const QLabel *number : controls.lines[k].numbers)
            lines[k].numbers << number->text();
    }
    printer.setFontName(Fonts::mincho);
    printer.setFontSize(12);
    for (const PrintPiece &piece : textPage(controls.LabelSN->text(), lines))
        PrintAt(piece.column, piece.row, piece.text);
    if (!printer.endDoc())
        tellUser(QStringLiteral("印刷できませんでした: ") + printer.failure());
}

void TextPrintout::PrintAt(int column, int row, const QString &text)
{
    printer.setScaleMode(ScaleUnit::characters);
    printer.setCurrentX(float(column));
    printer.setCurrentY(float(row));
    printer.print(text);
}
