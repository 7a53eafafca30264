#pragma once
// TUnzipFile: reads zip archives. Fill in the settings, then call Execute with
// an action; the result code stays in Resultado (41: wrong password).
#include "ZipComun.h"

#include <QString>

namespace brivo {

class TUnzipFile {
public:
    // Actions.
    enum : int {
        UNZIP_COUNTALLZIPMEMBERS = 1,   // number of entries into Cuenta
        UNZIP_COUNTNAMEDZIPMEMBERS = 3, // entries matching lpszFileSpec into Cuenta
        UNZIP_GETCOMMENTSIZE = 5,       // comment size in bytes (UTF-8) into Cuenta
        UNZIP_GETCOMMENT = 6,           // comment into lpszReturnString
        UNZIP_EXTRACT = 8,              // extract matching entries under lpszDestination
    };

    // Options.
    enum : unsigned {
        OverWriteFlag = 0x01,        // replace existing files; without it they are kept
        QuietFlag = 0x02,            // accepted; the reader never asks questions
        NoDirectoryNamesFlag = 0x04, // write every entry under its bare file name
        DecryptFlag = 0x08,          // use lpszDecryptCode for encrypted entries
    };

    // Sub-options (wUnzipSubOptions).
    enum : unsigned {
        USO_OVERWRITE_RO = 0x01, // with OverWriteFlag, replace read-only files as well
    };

    // Settings.
    QString lpszZipFile;
    QString lpszFileSpec;    // entry patterns separated by blanks ("" or "*.*": all)
    QString lpszDestination; // folder, created with its parents when missing
    QString lpszDecryptCode; // password (with DecryptFlag)
    int IndexofItem = -1;    // -1, or the index of the one entry to act on
    unsigned Options = 0;
    unsigned wUnzipSubOptions = 0;
    // Largest total of uncompressed bytes that one extraction accepts.
    qint64 LimiteDescomprimido = LimiteDescomprimidoPredeterminado;

    // Progress: overall (OnMajorCallback) and of the current entry (OnMinorCallback).
    TStatusCallback OnMajorCallback;
    TStatusCallback OnMinorCallback;

    // Outcome of the last Execute.
    int Resultado = ZipCorrecto;
    int Cuenta = 0;           // count or size asked for; entries written by an extraction
    QString lpszReturnString; // comment read by UNZIP_GETCOMMENT

    // Runs an action. An action outside 1 to 9 returns false and changes
    // nothing; otherwise the result code goes into Resultado and true is
    // returned when it is 0.
    //
    // Extraction checks every chosen entry before writing anything: unsafe
    // names, a total over LimiteDescomprimido or over the free disk space, a
    // file where another entry needs a folder (or a folder on disk that is a
    // link) end it with a failure. Entries are first written to temporary
    // files beside their targets and moved into place only when all of them
    // were read correctly. Whatever the failure (wrong password, damaged data,
    // an entry that inflates beyond its declared size, cancellation, a file
    // that cannot be moved into place), everything the extraction wrote is
    // undone: no file or folder it created stays, and replaced files get
    // their old content back.
    bool Execute(int accion);

private:
    int Contar(bool soloNombradas);
    int Comentario(bool texto);
    int Extraer();
};

} // namespace brivo
