#pragma once
// The gallery of the calendar components.
#include <QWidget>
#include <vector>

class TSolarDatePicker;

class GalleryWindow : public QWidget {
    Q_OBJECT
public:
    GalleryWindow();
    const std::vector<TSolarDatePicker*>& Pickers() const { return FPickers; }

private:
    std::vector<TSolarDatePicker*> FPickers;
};
