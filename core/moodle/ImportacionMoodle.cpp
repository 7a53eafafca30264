#include "ImportacionMoodle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Errores.h"
#include "PreguntaADocumento.h"
#include "Texto.h"
#include "TextosComunes.h"

namespace brivo::moodle {

namespace {

// Longest node text the tree file keeps.
constexpr int LargoTextoNodo = 255;

struct TModelo {
    QString Ruta;
    QString Clave;
};

bool CarpetaValida(const QString& carpeta) {
    return !carpeta.trimmed().isEmpty() && carpeta != QLatin1String(".") &&
           carpeta != QLatin1String("..") && !carpeta.contains(QLatin1Char('/')) &&
           !carpeta.contains(QLatin1Char('\\'));
}

std::shared_ptr<word::IDocumentoWord> AbrirModelo(word::IAplicacionWord& word,
                                                  const TModelo& modelo) {
    word::OpcionesApertura o;
    o.ReadOnly = true; // an office model is read, never converted where it lies
    o.AddToRecentFiles = false;
    o.PasswordDocument = o.PasswordTemplate = o.WritePasswordDocument = o.WritePasswordTemplate =
        modelo.Clave;
    const int abiertos = word.DocumentsCount();
    auto doc = word.DocumentsOpen(modelo.Ruta, o);
    // A model open already (in the editor) is not ours to save under another name.
    if (word.DocumentsCount() <= abiertos)
        throw ErrorBrivo(QStringLiteral("El modelo de documento «%1» está abierto: ciérrelo para "
                                        "importar preguntas.")
                             .arg(QDir::toNativeSeparators(modelo.Ruta)));
    doc->Window().SetWindowState(word::EstadoVentana::Minimizada);
    return doc;
}

// The question model as new documents take it: the model document, else
// "nuevodoc.doc"; the first that opens.
bool BuscarModelo(const TAlmacen& almacen, word::IAplicacionWord& word, TModelo& modelo) {
    std::vector<TModelo> candidatos;
    const int k = almacen.ModeloPreguntas;
    if (k >= 1 && k <= MaxDocumentos && almacen.Documentos[size_t(k)].Usado()) {
        const TLibro libro = almacen.BuscarLibro(almacen.Documentos[size_t(k)].IdLibro);
        if (libro.Usado())
            candidatos.push_back({RutaDocumento(almacen, k), QString::number(libro.Identificador)});
    }
    candidatos.push_back({almacen.RutaDelPrograma(QStringLiteral("nuevodoc.doc")), QString()});
    for (const TModelo& c : candidatos) {
        if (c.Ruta.isEmpty() || !QFileInfo(c.Ruta).isFile())
            continue;
        try {
            AbrirModelo(word, c)->Close(word::GuardarCambios::NoGuardar);
            modelo = c;
            return true;
        } catch (const ErrorBrivo&) {
        }
    }
    return false;
}

// Moves a file that no record names out of a new document's place, into
// BAK/<folder>/ under its name, or "K000007 (2).doc", "(3)"… False when it
// cannot be moved; destino says where it went.
bool Apartar(const TAlmacen& almacen, const QString& carpeta, const QString& ruta,
             QString& destino) {
    destino.clear();
    if (!QFileInfo::exists(ruta))
        return true;
    const QString bak =
        almacen.CarpetaPrograma + QStringLiteral("BAK/") + carpeta + QLatin1Char('/');
    if (!QDir().mkpath(bak))
        return false;
    const QFileInfo info(ruta);
    for (int intento = 1; intento <= 1000; ++intento) {
        const QString candidato = bak + (intento == 1 ? info.fileName()
                                                      : QStringLiteral("%1 (%2).%3")
                                                            .arg(info.completeBaseName())
                                                            .arg(intento)
                                                            .arg(info.suffix()));
        if (!QFileInfo::exists(candidato) && QFile::rename(ruta, candidato)) {
            destino = candidato;
            return true;
        }
    }
    return false;
}

TNodo* Buscar(const TArbol& arbol, TNodo* padre, const QString& texto) {
    for (const auto& h : padre ? padre->Hijos : arbol.Raices()) {
        if (!padre && TArbol::EsUtiles(h.get()))
            continue;
        if (h->Texto.trimmed() == texto)
            return h.get();
    }
    return nullptr;
}

class TImportador {
public:
    TImportador(TAlmacen& a, word::IAplicacionWord& w, const TOpcionesImportacion& o,
                TInformeImportacion& i)
        : almacen(a), word(w), opciones(o), informe(i) {
        anadir = opciones.AnadirNodo
                     ? opciones.AnadirNodo
                     : [this](TNodo* padre, const QString& texto, const QString& id) {
                           return almacen.Arbol.Anadir(padre, texto, id);
                       };
    }

    void Importar(const TLecturaMoodle& lectura, const TModelo& modelo) {
        const TLibro& libro = *almacen.LibroActivoPtr();
        const int total = int(lectura.Preguntas.size());
        for (int i = 0; i < total; ++i) {
            if (opciones.Progreso && !opciones.Progreso(i + 1, total, 0)) {
                informe.Fin = TFinImportacion::Cancelada;
                return;
            }
            if (!Una(lectura.Preguntas[size_t(i)], lectura.Posiciones[size_t(i)], libro, modelo))
                return;
        }
    }

private:
    // The place a category names, its missing nodes added; false when a
    // node could not be added.
    bool Lugar(const QStringList& categoria, TLugar& lugar, QString& motivo) {
        QStringList niveles = categoria.mid(0, 2);
        if (categoria.size() > 2)
            niveles << categoria.mid(2).join(QStringLiteral(" / "));
        TNodo* padre = nullptr;
        for (const QString& nivel : niveles) {
            const QString texto = TextoGuardable(nivel.trimmed(), LargoTextoNodo).trimmed();
            TNodo* nodo = Buscar(almacen.Arbol, padre, texto);
            if (!nodo) {
                nodo = anadir(padre, texto, almacen.Arbol.NuevoIdNodo());
                if (!nodo) {
                    motivo =
                        QStringLiteral("no se ha podido añadir al árbol el nodo «%1»").arg(texto);
                    return false;
                }
                ++informe.NodosAnadidos;
            }
            padre = nodo;
        }
        lugar = padre ? almacen.Arbol.LugarDeNodo(padre) : TLugar{};
        return true;
    }

    void Escribir(const TModelo& modelo, const QString& ruta, const TLibro& libro,
                  const TDocumentoMoodle& contenido, const QString& descripcion) {
        const auto doc = AbrirModelo(word, modelo);
        try {
            LlenarDocumento(*doc, contenido);
            doc->SetBuiltInDocumentProperty(word::PropTitulo, descripcion);
            doc->SetBuiltInDocumentProperty(word::PropAsunto, libro.Titulo.Texto());
            doc->SetBuiltInDocumentProperty(word::PropAutor, libro.Autor.Texto());
            doc->SetBuiltInDocumentProperty(word::PropCategoria, libro.Materia.Texto());
            doc->SetBuiltInDocumentProperty(word::PropComentarios, libro.Comentario.Texto());
            doc->SetBuiltInDocumentProperty(word::PropCompania, QString());
            doc->SaveAs(ruta, libro.ClaveEnDoc ? QString::number(libro.Identificador) : QString());
        } catch (...) {
            doc->Close(word::GuardarCambios::NoGuardar);
            throw;
        }
        doc->Close(word::GuardarCambios::NoGuardar);
    }

    void Registro(int k, const TLibro& libro, const TLugar& lugar, const TDocumentoMoodle& c) {
        TDocumento& d = almacen.Documentos[size_t(k)];
        d.Vaciar();
        d.Numero = k;
        d.IdLibro = libro.Identificador;
        d.IdMateria = lugar.Materia;
        d.IdTema = lugar.Tema;
        d.IdContenido = lugar.Contenido;
        d.Descripcion =
            c.Descripcion.isEmpty() ? QStringLiteral("Documento %1").arg(k) : c.Descripcion;
        d.Dificultad = c.Dificultad;
        d.Puntos = c.Puntos;
        d.Tipo = c.Tipo;
        d.Respuesta = c.Respuesta;
        d.FechaCreacion = Hoy();
        d.FechaUso = QStringLiteral("01/01/1900");
        double version = 0;
        LeerNumero(word.Version(), version);
        d.Formato = QStringLiteral("DOC") + NumeroCorto(version);
    }

    // One question; false when the import cannot go on.
    bool Una(const TPreguntaMoodle& p, int posicion, const TLibro& libro, const TModelo& modelo) {
        const auto omitir = [&](const QString& motivo) {
            informe.Omitidas.push_back({posicion, p.Nombre, motivo});
            return true;
        };
        if (almacen.DocumentoLibre() < 1) {
            ++informe.SinSitio;
            return true;
        }
        TDocumentoMoodle contenido;
        QString motivo;
        if (!DocumentoDe(p, contenido, motivo))
            return omitir(motivo);
        TLugar lugar;
        if (!Lugar(p.Categoria, lugar, motivo))
            return omitir(motivo);
        const int k = almacen.DocumentoLibre();
        const QString carpeta = libro.Carpeta.Texto();
        const QString ruta = almacen.CarpetaPrograma + QStringLiteral("Docs/") + carpeta +
                             QLatin1Char('/') + NombreArchivoDocumento(k);
        QString apartado;
        if (!Apartar(almacen, carpeta, ruta, apartado)) {
            informe.Fin = TFinImportacion::Interrumpida;
            informe.Mensaje = QStringLiteral("El archivo %1 ya existe y no pertenece a ningún "
                                             "documento, y no se ha podido apartar a BAK. Se "
                                             "interrumpe la importación.")
                                  .arg(QDir::toNativeSeparators(ruta));
            return false;
        }
        if (!apartado.isEmpty())
            informe.Apartados << QStringLiteral("%1 → %2").arg(QDir::toNativeSeparators(ruta),
                                                               QDir::toNativeSeparators(apartado));
        QDir().mkpath(QFileInfo(ruta).absolutePath());
        const QString descripcion =
            TextoGuardable(contenido.Descripcion.isEmpty() ? QStringLiteral("Documento %1").arg(k)
                                                           : contenido.Descripcion,
                           100);
        try {
            Escribir(modelo, ruta, libro, contenido, descripcion);
        } catch (const ErrorBrivo& e) {
            return omitir(e.Mensaje());
        }
        Registro(k, libro, lugar, contenido);
        informe.Documentos.push_back(k);
        ++informe.Importadas[p.Tipo];
        informe.ImagenesOmitidas += contenido.ImagenesOmitidas;
        return true;
    }

    TAlmacen& almacen;
    word::IAplicacionWord& word;
    const TOpcionesImportacion& opciones;
    TInformeImportacion& informe;
    TAnadirNodo anadir;
};

TInformeImportacion Fin(TFinImportacion fin, const QString& mensaje) {
    TInformeImportacion i;
    i.Fin = fin;
    i.Mensaje = mensaje;
    return i;
}

QString NombreTipoMoodle(const QString& tipo) {
    static const std::map<QString, QString> nombres = {
        {TipoOpcionMultiple, QStringLiteral("opción múltiple")},
        {TipoVerdaderoFalso, QStringLiteral("verdadero o falso")},
        {TipoRespuestaCorta, QStringLiteral("respuesta corta")},
        {TipoNumerica, QStringLiteral("numérica")},
        {TipoEnsayo, QStringLiteral("ensayo")},
        {TipoDescripcion, QStringLiteral("descripción")}};
    const auto it = nombres.find(tipo);
    return it == nombres.end() ? tipo : it->second;
}

QString Recuento(const std::map<QString, int>& porTipo) {
    QStringList partes;
    for (const auto& [tipo, n] : porTipo)
        partes << QStringLiteral("%1: %2").arg(NombreTipoMoodle(tipo)).arg(n);
    return partes.join(QStringLiteral(", "));
}

} // namespace

QString MensajeSinPermisoAnadir() {
    return QString::fromUtf8(textos::SinPermisoAnadir);
}

int TInformeImportacion::TotalImportadas() const {
    int n = 0;
    for (const auto& [tipo, cuantas] : Importadas)
        n += cuantas;
    return n;
}

TInformeImportacion Importar(TAlmacen& almacen, word::IAplicacionWord& word, const QString& archivo,
                             const TOpcionesImportacion& opciones) {
    const TLibro* libro = almacen.LibroActivoPtr();
    if (!libro)
        return Fin(TFinImportacion::SinLibroActivo, QStringLiteral("No hay libro activo."));
    if (almacen.SoloConsulta)
        return Fin(TFinImportacion::SoloConsulta,
                   QStringLiteral("La biblioteca está abierta sólo para consulta: esta orden la "
                                  "modificaría y no se puede usar."));
    if (!libro->PermitirMasDoc)
        return Fin(TFinImportacion::SinPermiso, MensajeSinPermisoAnadir());
    if (!CarpetaValida(libro->Carpeta.Texto()))
        return Fin(TFinImportacion::CarpetaNoValida,
                   QStringLiteral("La carpeta del libro activo, «%1», no es válida: no se importa "
                                  "nada.")
                       .arg(libro->Carpeta.Texto()));
    TLecturaMoodle lectura;
    try {
        lectura = LeerXmlMoodle(archivo);
    } catch (const ErrorBrivo& e) {
        return Fin(TFinImportacion::ArchivoNoValido, e.Mensaje());
    }
    TInformeImportacion informe;
    informe.PreguntasEnArchivo = lectura.Total;
    informe.TiposOmitidos = lectura.TiposOmitidos;
    informe.Omitidas = lectura.Omitidas;
    informe.ImagenesOmitidas = lectura.ArchivosOmitidos;
    if (lectura.Preguntas.empty())
        return informe;

    const bool conectar = !word.Conectado();
    if (conectar)
        word.Connect();
    TModelo modelo;
    if (!BuscarModelo(almacen, word, modelo)) {
        if (conectar)
            word.Disconnect();
        return Fin(TFinImportacion::SinModelo,
                   QStringLiteral("No se puede abrir el modelo de documento (ni el modelo de "
                                  "pregunta elegido ni nuevodoc.doc): no se pueden importar las "
                                  "preguntas."));
    }
    TImportador(almacen, word, opciones, informe).Importar(lectura, modelo);
    std::sort(informe.Omitidas.begin(), informe.Omitidas.end(),
              [](const TPreguntaOmitida& a, const TPreguntaOmitida& b) {
                  return a.Posicion < b.Posicion;
              });
    if (conectar)
        word.Disconnect();
    return informe;
}

QStringList TInformeImportacion::Lineas() const {
    QStringList l;
    // An import interrupted half-way keeps what it made: the counts follow.
    if (Fin == TFinImportacion::Interrumpida)
        l << Mensaje;
    else if (Fin != TFinImportacion::Completa && Fin != TFinImportacion::Cancelada)
        return {Mensaje};
    if (Fin == TFinImportacion::Cancelada)
        l << QStringLiteral("Importación cancelada: las preguntas importadas hasta ese momento se "
                            "quedan en el libro.");
    l << QStringLiteral("Preguntas en el archivo: %1.").arg(PreguntasEnArchivo);
    l << QStringLiteral("Preguntas importadas: %1%2.")
             .arg(TotalImportadas())
             .arg(Importadas.empty()
                      ? QString()
                      : QStringLiteral(" (") + Recuento(Importadas) + QLatin1Char(')'));
    if (NodosAnadidos > 0)
        l << QStringLiteral("Nodos añadidos al árbol: %1.").arg(NodosAnadidos);
    if (!TiposOmitidos.empty()) {
        int n = 0;
        for (const auto& [tipo, cuantas] : TiposOmitidos)
            n += cuantas;
        l << QStringLiteral("Preguntas de otros tipos, no importadas: %1 (%2).")
                 .arg(n)
                 .arg(Recuento(TiposOmitidos));
    }
    if (SinSitio > 0)
        l << QStringLiteral("Preguntas que no caben (la tabla de documentos está llena, %1 "
                            "documentos): %2.")
                 .arg(MaxDocumentos)
                 .arg(SinSitio);
    if (!Omitidas.empty()) {
        l << QStringLiteral("Preguntas no importadas: %1.").arg(Omitidas.size());
        for (const TPreguntaOmitida& o : Omitidas)
            l << QStringLiteral("  Pregunta %1%2: %3%4")
                     .arg(o.Posicion)
                     .arg(o.Nombre.isEmpty() ? QString() : QStringLiteral(" «%1»").arg(o.Nombre),
                          o.Motivo,
                          o.Motivo.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral("."));
    }
    if (ImagenesOmitidas > 0)
        l << QStringLiteral("Imágenes o archivos no importados: %1.").arg(ImagenesOmitidas);
    for (const QString& a : Apartados)
        l << QStringLiteral("Archivo que no pertenecía a ningún documento, apartado: %1.").arg(a);
    return l;
}

} // namespace brivo::moodle
