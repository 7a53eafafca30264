#pragma once
// TZipFile: writes zip archives. Fill in the settings, then call Execute with
// an action; the result code stays in Resultado.
#include "ZipComun.h"

#include <QString>

namespace brivo {

class TZipFile {
public:
    // Actions.
    enum : int {
        ZIP_ADD = 4, // add the files of lpszItemList to lpszZipFile (created if missing)
    };

    // Options.
    enum : unsigned {
        NoDirectoryNamesFlag = 0x01,   // entries carry the bare file name
        AddCommentFlag = 0x02,         // lpszComment becomes the archive comment
        NoDirectoryEntriesFlag = 0x04, // no entries for folders
        EncryptFlag = 0x08,            // new entries are encrypted (AES-256) with lpszEncryptCode
        NuevoArchivoFlag = 0x10,       // start a new archive instead of adding to an existing one
    };

    // Sub-options (wZipSubOptions). Accepted; cancellation through DoCancel is
    // always honoured and long names are never shortened.
    enum : unsigned {
        ZSO_EXTPROGCANCEL = 0x01,
        ZSO_MANGLELONGNAMES = 0x02,
    };

    // Multi-volume control (wMultiVolControl). With no removable drives to span,
    // the archive is always written whole.
    enum : unsigned {
        MV_USEMULTI = 0x01,
    };

    // Settings.
    QString lpszZipFile;     // archive; ".zip" is added to a name without extension
    QString lpszItemList;    // file patterns separated by blanks, "..." for blanks inside
    QString lpszComment;     // archive comment (with AddCommentFlag)
    QString lpszEncryptCode; // password (with EncryptFlag)
    unsigned Options = 0;
    int ZipFormats = 0; // accepted; archives are always standard zip
    unsigned wZipSubOptions = 0;
    unsigned wMultiVolControl = 0;
    int CompFactor = 5; // 0 stores, 1 to 9 deflate level

    // Progress: overall (OnMajorCallback) and of the current item (OnMinorCallback).
    TStatusCallback OnMajorCallback;
    TStatusCallback OnMinorCallback;

    // Outcome of the last Execute.
    int Resultado = ZipCorrecto;
    int Procesados = 0;   // files written into the archive
    QString ArchivoFinal; // archive path actually written (with ".zip" when added)

    // Runs an action. An action outside 1 to 9 returns false and changes
    // nothing; otherwise the result code goes into Resultado and true is
    // returned when it is 0. A failed write leaves any existing archive as it
    // was and never leaves a partial archive behind.
    bool Execute(int accion);

    // The archive name with ".zip" added when its file name has no extension.
    static QString NombreConExtension(const QString& archivo);

private:
    int Agregar();
};

} // namespace brivo
