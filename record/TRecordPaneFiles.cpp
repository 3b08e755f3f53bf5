// The record pane's file commands: saving cds1 and opening files into it.
#include "TRecordPane.h"

#include "RecordFileReader.h"
#include "RecordFileWriter.h"
#include "RecordTable.h"
#include "SystemErrorBox.h"
#include "TRecordModel.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableView>

QStringList TRecordPane::columnTitlesInDisplayOrder() const {
    const QHeaderView* header = DBGrid1->horizontalHeader();
    QStringList titles;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        titles << Data1->headerData(logical, Qt::Horizontal).toString();
    }
    return titles;
}

void TRecordPane::inform(const QString& text) {
    if (m_information) {
        m_information(text);
    } else {
        QMessageBox::information(this, window()->windowTitle(), text);
    }
}

void TRecordPane::DBToFiles(const QString& fileName) {
    const RecordSaveResult result = saveRecordFile(*cds1, fileName, columnTitlesInDisplayOrder());
    const QString shownName = QDir::toNativeSeparators(result.fileName);
    if (result.format == RecordFileFormat::Text) {
        // Writing the text walks the table to its end: the last row is current afterwards.
        cds1->last();
    }
    if (result.ok) {
        inform(QStringLiteral("Save table to specified file: ") + shownName +
               QStringLiteral(" Scuss!"));
    } else if (result.format == RecordFileFormat::Text) {
        inform(QStringLiteral("Could not save table to specified file: ") + shownName);
    } else {
        // The XML form reports the failure's own text in the error box.
        const QString text =
            QStringLiteral("Cannot create file \"%1\". %2").arg(shownName, result.error);
        if (m_error) {
            m_error(text);
        } else {
            showSystemError(nullptr, text);
        }
    }
}

void TRecordPane::AnyToCds(const QString& fileName, bool emptyFirst) {
    if (emptyFirst) {
        clearRecords();
    }
    if (!loadRecordFile(fileName, cds1)) {
        const QString text = QStringLiteral("Failed to Load File!");
        if (m_error) {
            m_error(text);
        } else {
            showSystemError(nullptr, text);
        }
    }
}

void TRecordPane::btnRecordSaveClick() {
    const QString fileName = m_saveDialog ? m_saveDialog() : runSaveDialog();
    if (!fileName.isEmpty()) {
        DBToFiles(fileName);
    }
}

void TRecordPane::btnRecordOpenClick() {
    const QString fileName = m_openDialog ? m_openDialog() : runOpenDialog();
    if (!fileName.isEmpty()) {
        AnyToCds(fileName, false);
    }
}

QString TRecordPane::runSaveDialog() {
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("SaveDialog2"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Excel File(*.xls)"), QStringLiteral("XML File(*.xml)"),
                           QStringLiteral("Txt File(*.txt)")});
    dialog.selectNameFilter(QStringLiteral("Excel File(*.xls)"));
    dialog.setDefaultSuffix(QStringLiteral("xls"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString TRecordPane::runOpenDialog() {
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name need not exist: opening a missing file reports the failure.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Excel data files (*.xls)"),
                           QStringLiteral("XML data files (*.xml)"),
                           QStringLiteral("notepad data files (*.txt)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}
