#pragma once
// The Spanish texts the user sees that several units of the program share:
// the program's name, the captions of common buttons and commands, and the
// messages of file operations. A text used by one unit only stays in that
// unit. Every text is UTF-8 (QString::fromUtf8); "%1", "%2" are filled with
// QString::arg, and "&" marks the accelerator of a caption.
//
// Header only, with no dependency, so that every library of the program can
// use it from the store up.

namespace brivo::textos {

// The product name: the application's name, message box and editor
// captions, the about box, the creator of exported PDF files.
inline constexpr char NombrePrograma[] = "Brivo II";
// Added to the main window's caption and to the about box while the library
// is open for consultation only.
inline constexpr char MarcaSoloConsulta[] = " (sólo consulta)";

// Buttons of message boxes and the editor's dialogs.
inline constexpr char Aceptar[] = "Aceptar";
inline constexpr char Cancelar[] = "Cancelar";
// Buttons of the program's own dialogs, and the "&Ayuda" menu.
inline constexpr char BotonCancelar[] = "&Cancelar";
inline constexpr char BotonAyuda[] = "&Ayuda";

// Commands named alike in the main window and in the dialogs that offer them.
inline constexpr char ExportarLibro[] = "&Exportar libro";
inline constexpr char EliminarLibro[] = "E&liminar libro";
inline constexpr char CrearExamen[] = "Crear examen";

// Column heading of the document grid and the exam list.
inline constexpr char Descripcion[] = "Descripción";
// What a screen reader says of the cell being edited in either grid (%1: the
// row, %2: the document's number).
inline constexpr char FilaDocumento[] = "Fila %1, documento %2";

// Adding documents to a book that does not allow more (a new document, an
// import of files or of Moodle questions).
inline constexpr char SinPermisoAnadir[] =
    "No está permitido añadir documentos al libro activo. \r\nPuede modificar este "
    "comportamiento en Libro/Propiedades\r\nsi dispone del identificador de este libro";

// Names of the document types, by the record's Tipo (1 to 3); type 0 has
// none.
inline constexpr const char* NombresTipo[] = {"", "Test", "Prob", "Preg"};
inline constexpr int TiposDocumento = 4;

// Texts of the nodes the program makes: a new materia, tema or contenido.
inline constexpr char NuevaMateria[] = "Nueva materia";
inline constexpr char NuevoTema[] = "Nuevo tema";
inline constexpr char NuevoContenido[] = "Nuevo contenido";

// The editor's colour command and its dialog.
inline constexpr char ColorDelTexto[] = "Color del texto";

// Failures of files (%1: the file's path).
inline constexpr char NoSeEncuentraArchivo[] = "No se encuentra el archivo";
inline constexpr char NoSePuedeCrearArchivo[] = "No se puede crear el archivo %1";
inline constexpr char NoSePuedeEscribirEn[] = "No se puede escribir en %1";
inline constexpr char NoSePuedeLeerArchivo[] = "No se puede leer el archivo \"%1\".";
inline constexpr char NoSePuedeGuardarArchivo[] = "No se puede guardar el archivo \"%1\".";
inline constexpr char ArchivoDanado[] =
    "El archivo \"%1\" está dañado o no es un documento válido.";
inline constexpr char FormatoNoLegible[] =
    "El archivo \"%1\" no tiene un formato que el procesador de textos pueda abrir.";
inline constexpr char ContrasenaIncorrecta[] = "La contraseña no es correcta.";

} // namespace brivo::textos
