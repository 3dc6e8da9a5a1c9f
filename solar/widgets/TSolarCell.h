#pragma once
// One day cell of the grid: its text and its rectangle in grid pixels.
#include <QString>
#include <cstdint>

class TSolarGrid;

class TSolarCell {
public:
    TSolarCell(TSolarGrid* body, uint8_t col, uint8_t row) : cl_pBody(body), cl_Col(col), cl_Row(row) {}

    const QString& cl_Text() const { return Fcl_Text; }
    void Setcl_Text(const QString& text);

    TSolarGrid* cl_pBody;
    uint8_t cl_Col, cl_Row;
    int32_t cl_Left = 0, cl_Top = 0, cl_Width = 0, cl_Height = 0;

private:
    QString Fcl_Text;
};
