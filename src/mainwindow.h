// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>

QT_BEGIN_NAMESPACE
class QComboBox;
class QLabel;
class QLineEdit;
QT_END_NAMESPACE

class PlainIntValidator;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    bool eventFilter(QObject *watched, QEvent *event) override;

public slots:
    void doMath(int delta);
    void setcurrentSquare(int index);
    void addOne();
    void subOne();

private:
    static constexpr int NumSquares = 9;

    void recalculate();

    int currentSquare;
    QLineEdit *squareEdits[NumSquares];
    PlainIntValidator *squareValidators[NumSquares];
    QLabel *cellsTotalLabel;
    QLabel *cellsPerMlLabel;
    QComboBox *dilutionCombo;
    QLineEdit *slurryEdit;
    QLineEdit *platoEdit;
    QLabel *platoCaption;
    QLabel *mlNeededLabel;
    QLabel *mlNeededCaption;
};

#endif
