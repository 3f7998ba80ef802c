<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>mw</name>
    <message>
        <source>Tarvello uploader</source>
        <translation>Tarvello Uploader</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Examinar</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>Captura</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Portapapeles</translation>
    </message>
    <message>
        <source>Login (not required)</source>
        <translation>Inicio de sesión (opcional)</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Usuario</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Remember me (saves creds. as plaintext)</source>
        <translation>Recordar (credenciales sin cifrar)</translation>
    </message>
    <message>
        <source>Modify image</source>
        <translation>Modificar imagen</translation>
    </message>
    <message>
        <source>Rotate 90 deg CW</source>
        <translation>Girar 90° a la derecha</translation>
    </message>
    <message>
        <source>Rotate 90 deg CCW</source>
        <translation>Girar 90° a la izquierda</translation>
    </message>
    <message>
        <source>Rotate 180 deg</source>
        <translation>Girar 180°</translation>
    </message>
    <message>
        <source>Flip horizontally</source>
        <translation>Voltear horizontalmente</translation>
    </message>
    <message>
        <source>Flip vertically</source>
        <translation>Voltear verticalmente</translation>
    </message>
    <message>
        <source>Upload status</source>
        <translation>Estado de la subida</translation>
    </message>
    <message>
        <source>Upload All</source>
        <translation>Subir todo</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Nombre de archivo</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Auto Upload</source>
        <translation>Subida automática</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt; color:#c0c0c0;&quot;&gt;Tarvello uploader - images in, links out - V3.0c&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;MS Shell Dlg 2&apos;; font-size:8.25pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot; margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt; color:#c0c0c0;&quot;&gt;Tarvello uploader - entran imágenes, salen enlaces - V3.0c&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>No delay</source>
        <translation>Sin retardo</translation>
    </message>
    <message>
        <source>After %1 seconds</source>
        <translation>Tras %1 segundos</translation>
    </message>
    <message>
        <source>Cancel the Capture</source>
        <translation>Cancelar la captura</translation>
    </message>
    <message>
        <source>Icon in the System Tray</source>
        <translation>Icono en la bandeja del sistema</translation>
    </message>
    <message>
        <source>Whole Screen</source>
        <translation>Pantalla completa</translation>
    </message>
    <message>
        <source>Region…</source>
        <translation>Región…</translation>
    </message>
    <message>
        <source>Window…</source>
        <translation>Ventana…</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Retardo</translation>
    </message>
    <message>
        <source>Import destination...</source>
        <translation>Importar destino...</translation>
    </message>
    <message>
        <source>Destinations...</source>
        <translation>Destinos...</translation>
    </message>
    <message>
        <source>Where uploads go</source>
        <translation>Adónde van las subidas</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Destino</translation>
    </message>
    <message>
        <source>%1 was replaced; uploads now go there.</source>
        <translation>Se ha sustituido %1; las subidas van ahora allí.</translation>
    </message>
    <message>
        <source>%1 was added; uploads now go there.</source>
        <translation>Se ha añadido %1; las subidas van ahora allí.</translation>
    </message>
    <message>
        <source>Import destination</source>
        <translation>Importar destino</translation>
    </message>
    <message>
        <source>Custom uploaders (*.sxcu);;All files (*)</source>
        <translation>Uploaders personalizados (*.sxcu);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Not imported</source>
        <translation>No importado</translation>
    </message>
    <message>
        <source>%1 was not imported: %2</source>
        <translation>No se importó %1: %2</translation>
    </message>
    <message>
        <source>Edit destination</source>
        <translation>Editar destino</translation>
    </message>
    <message>
        <source>the whole answer</source>
        <translation>la respuesta completa</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Dirección:</translation>
    </message>
    <message>
        <source>Header %1:</source>
        <translation>Cabecera %1:</translation>
    </message>
    <message>
        <source>Form field %1:</source>
        <translation>Campo de formulario %1:</translation>
    </message>
    <message>
        <source>Parameter %1:</source>
        <translation>Parámetro %1:</translation>
    </message>
    <message>
        <source>not available: type it again</source>
        <translation>no disponible: escríbalo de nuevo</translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>sin cambios</translation>
    </message>
    <message>
        <source>Link:</source>
        <translation>Enlace:</translation>
    </message>
    <message>
        <source>A destination needs a name.</source>
        <translation>Un destino necesita un nombre.</translation>
    </message>
    <message>
        <source>Choose one:</source>
        <translation>Elija una opción:</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Editar...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportar...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Destinations</source>
        <translation>Destinos</translation>
    </message>
    <message>
        <source>Its secrets are missing: edit it to give them again.</source>
        <translation>Faltan sus secretos: edítelo para volver a introducirlos.</translation>
    </message>
    <message>
        <source>Export destination</source>
        <translation>Exportar destino</translation>
    </message>
    <message>
        <source>Custom uploaders (*.sxcu)</source>
        <translation>Uploaders personalizados (*.sxcu)</translation>
    </message>
    <message>
        <source>Include the keys, tokens and passwords? Anyone with the file can then use them.</source>
        <translation>¿Incluir las claves, tokens y contraseñas? Cualquiera que tenga el archivo podrá usarlos.</translation>
    </message>
    <message>
        <source>Exported to %1.</source>
        <translation>Exportado a %1.</translation>
    </message>
    <message>
        <source>Remove destination</source>
        <translation>Quitar destino</translation>
    </message>
    <message>
        <source>Remove the destination &quot;%1&quot;?</source>
        <translation>¿Quitar el destino «%1»?</translation>
    </message>
    <message>
        <source>Built-in host (%1)</source>
        <translation>Servidor integrado (%1)</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; is not closed</source>
        <translation>la plantilla «%1» no está cerrada</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; is not one this program knows</source>
        <translation>este programa no conoce la plantilla «%1»</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; is for text uploads, not images</source>
        <translation>la plantilla «%1» es para subir texto, no imágenes</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; reads the host&apos;s answer, which the request cannot have yet</source>
        <translation>la plantilla «%1» lee la respuesta del servidor, que la petición aún no puede tener</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; has arguments that cannot be used</source>
        <translation>la plantilla «%1» tiene argumentos inutilizables</translation>
    </message>
    <message>
        <source>the regular expression &quot;%1&quot; is not valid</source>
        <translation>la expresión regular «%1» no es válida</translation>
    </message>
    <message>
        <source>RegexList has no entry %1</source>
        <translation>RegexList no tiene la entrada %1</translation>
    </message>
    <message>
        <source>the regular expression has no group &quot;%1&quot;</source>
        <translation>la expresión regular no tiene el grupo «%1»</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>El archivo no existe.</translation>
    </message>
    <message>
        <source>The file cannot be read.</source>
        <translation>No se puede leer el archivo.</translation>
    </message>
    <message>
        <source>The file is a link; import the file it points to instead.</source>
        <translation>El archivo es un enlace; importe en su lugar el archivo al que apunta.</translation>
    </message>
    <message>
        <source>This is not a regular file.</source>
        <translation>No es un archivo normal.</translation>
    </message>
    <message>
        <source>The file is too large (%1 bytes) to be a custom-uploader file.</source>
        <translation>El archivo es demasiado grande (%1 bytes) para ser un archivo de uploader personalizado.</translation>
    </message>
    <message>
        <source>The file is not valid JSON (at byte %1).</source>
        <translation>El archivo no es JSON válido (en el byte %1).</translation>
    </message>
    <message>
        <source>The file is JSON, but not a custom-uploader file.</source>
        <translation>El archivo es JSON, pero no es de uploader personalizado.</translation>
    </message>
    <message>
        <source>The field %1 has a value this program cannot use.</source>
        <translation>El campo %1 tiene un valor que este programa no puede usar.</translation>
    </message>
    <message>
        <source>This destination does not take images (DestinationType: %1).</source>
        <translation>Este destino no acepta imágenes (DestinationType: %1).</translation>
    </message>
    <message>
        <source>Images cannot be sent with the method %1; only POST, PUT and PATCH carry a file.</source>
        <translation>Las imágenes no se pueden enviar con el método %1; solo POST, PUT y PATCH llevan un archivo.</translation>
    </message>
    <message>
        <source>A body of type %1 carries no file; images need MultipartFormData or Binary.</source>
        <translation>Un cuerpo de tipo %1 no lleva ningún archivo; las imágenes necesitan MultipartFormData o Binary.</translation>
    </message>
    <message>
        <source>The form has no field for the file (FileFormName is empty).</source>
        <translation>El formulario no tiene campo para el archivo (FileFormName está vacío).</translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; is not an http:// or https:// address.</source>
        <translation>La dirección «%1» no es una dirección http:// o https://.</translation>
    </message>
    <message>
        <source>In %1, %2.</source>
        <translation>En %1: %2.</translation>
    </message>
    <message>
        <source>Entry %1 of RegexList is not a valid regular expression.</source>
        <translation>La entrada %1 de RegexList no es una expresión regular válida.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a header.</source>
        <translation>«%1» no puede ser el nombre de una cabecera.</translation>
    </message>
    <message>
        <source>The header %1 is the program&apos;s to set.</source>
        <translation>La cabecera %1 la fija el propio programa.</translation>
    </message>
    <message>
        <source>The value of the header %1 holds a line break.</source>
        <translation>El valor de la cabecera %1 contiene un salto de línea.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the name of the built-in destination; give the file another Name.</source>
        <translation>«%1» es el nombre del destino integrado; dé otro nombre (Name) al archivo.</translation>
    </message>
    <message>
        <source>The keyring did not give this destination&apos;s secrets (%1); edit the destination to give them again.</source>
        <translation>El llavero no ha dado los secretos de este destino (%1); edite el destino para volver a introducirlos.</translation>
    </message>
    <message>
        <source>The destination asks a question before each upload (&quot;%1&quot;), which cannot be answered from the command line; nothing was sent.</source>
        <translation>El destino hace una pregunta antes de cada subida («%1») que no se puede responder desde la línea de órdenes; no se ha enviado nada.</translation>
    </message>
    <message>
        <source>The destination asks a question before each upload, and it was not answered; nothing was sent.</source>
        <translation>El destino hace una pregunta antes de cada subida y no se respondió; no se ha enviado nada.</translation>
    </message>
    <message>
        <source>The destination asks &quot;%1&quot; before each upload, and it was not answered; nothing was sent.</source>
        <translation>El destino pregunta «%1» antes de cada subida y no se respondió; no se ha enviado nada.</translation>
    </message>
    <message>
        <source>The destination&apos;s address came out as &quot;%1&quot;, which is not an http:// or https:// address; nothing was sent.</source>
        <translation>La dirección del destino resultó ser «%1», que no es una dirección http:// o https://; no se ha enviado nada.</translation>
    </message>
    <message>
        <source>The header %1 came out with a line break; nothing was sent.</source>
        <translation>La cabecera %1 resultó con un salto de línea; no se ha enviado nada.</translation>
    </message>
    <message>
        <source>HTTP status: %1</source>
        <translation>Estado HTTP: %1</translation>
    </message>
    <message>
        <source>The answer held no link.</source>
        <translation>La respuesta no contenía ningún enlace.</translation>
    </message>
    <message>
        <source>The answer held no link, only &quot;%1&quot;.</source>
        <translation>La respuesta no contenía ningún enlace, solo «%1».</translation>
    </message>
    <message>
        <source>The host said: %1</source>
        <translation>El servidor dijo: %1</translation>
    </message>
    <message>
        <source>Could not write %1.</source>
        <translation>No se pudo escribir %1.</translation>
    </message>
    <message>
        <source>Some destinations in %1 could not be read and were left out.</source>
        <translation>Algunos destinos de %1 no se pudieron leer y se omitieron.</translation>
    </message>
    <message>
        <source>There is no destination called &quot;%1&quot;.</source>
        <translation>No hay ningún destino llamado «%1».</translation>
    </message>
    <message>
        <source>The built-in destination cannot be changed or removed.</source>
        <translation>El destino integrado no se puede cambiar ni quitar.</translation>
    </message>
    <message>
        <source>Another destination is already called &quot;%1&quot;.</source>
        <translation>Ya hay otro destino llamado «%1».</translation>
    </message>
    <message>
        <source>The keyring did not give the secrets of &quot;%1&quot;.</source>
        <translation>El llavero no ha dado los secretos de «%1».</translation>
    </message>
    <message>
        <source>Keys, tokens and passwords are kept in the desktop&apos;s keyring.</source>
        <translation>Las claves, tokens y contraseñas se guardan en el llavero del escritorio.</translation>
    </message>
    <message>
        <source>No keyring answered: keys, tokens and passwords are kept in the destinations file, readable by you only.</source>
        <translation>Ningún llavero respondió: las claves, tokens y contraseñas se guardan en el archivo de destinos, que solo usted puede leer.</translation>
    </message>
    <message>
        <source>Keys, tokens and passwords go to the desktop&apos;s keyring when one is running, else into the destinations file, readable by you only.</source>
        <translation>Las claves, tokens y contraseñas van al llavero del escritorio si hay uno en marcha; si no, al archivo de destinos, que solo usted puede leer.</translation>
    </message>
    <message>
        <source>Adding images</source>
        <translation>Añadiendo imágenes</translation>
    </message>
    <message numerus="yes">
        <source>Added %n image(s)...</source>
        <translation>
            <numerusform>%n imagen añadida...</numerusform>
            <numerusform>%n imágenes añadidas...</numerusform>
        </translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fallida</translation>
    </message>
    <message>
        <source>%1 × %2 pixels</source>
        <translation>%1 × %2 píxeles</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Subido</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Enlace</translation>
    </message>
    <message>
        <source>No upload history: Qt&apos;s SQLite driver is not installed (Debian package libqt6sql6-sqlite).</source>
        <translation>Sin historial de subidas: el controlador SQLite de Qt no está instalado (paquete de Debian libqt6sql6-sqlite).</translation>
    </message>
    <message>
        <source>No upload history: %1 cannot be opened.</source>
        <translation>Sin historial de subidas: no se puede abrir %1.</translation>
    </message>
    <message>
        <source>No upload history: %1 cannot be written.</source>
        <translation>Sin historial de subidas: no se puede escribir %1.</translation>
    </message>
    <message>
        <source>The upload history waits: another program keeps %1 locked. Uploads are recorded once it lets go.</source>
        <translation>El historial de subidas espera: otro programa tiene bloqueado %1. Las subidas se anotarán cuando lo libere.</translation>
    </message>
    <message>
        <source>The upload history was damaged. It is kept as %1; a new history was started.</source>
        <translation>El historial de subidas estaba dañado. Se conserva como %1; se ha empezado uno nuevo.</translation>
    </message>
    <message>
        <source>No upload history: %1 was written by a newer version of this program.</source>
        <translation>Sin historial de subidas: %1 lo escribió una versión más reciente de este programa.</translation>
    </message>
    <message>
        <source>The upload history waits: the disk is full. Uploads are recorded once there is room.</source>
        <translation>El historial de subidas espera: el disco está lleno. Las subidas se anotarán cuando haya espacio.</translation>
    </message>
    <message>
        <source>No upload history: %1</source>
        <translation>Sin historial de subidas: %1</translation>
    </message>
    <message>
        <source>Markdown image</source>
        <translation>Imagen Markdown</translation>
    </message>
    <message>
        <source>HTML image</source>
        <translation>Imagen HTML</translation>
    </message>
    <message>
        <source>BBCode image</source>
        <translation>Imagen BBCode</translation>
    </message>
    <message>
        <source>Markdown thumbnail with link</source>
        <translation>Miniatura Markdown con enlace</translation>
    </message>
    <message>
        <source>HTML thumbnail with link</source>
        <translation>Miniatura HTML con enlace</translation>
    </message>
    <message>
        <source>BBCode thumbnail with link</source>
        <translation>Miniatura BBCode con enlace</translation>
    </message>
    <message>
        <source>Uploads done</source>
        <translation>Subidas terminadas</translation>
    </message>
    <message>
        <source>Uploads done, some failed</source>
        <translation>Subidas terminadas, algunas fallaron</translation>
    </message>
    <message numerus="yes">
        <source>%n uploaded.</source>
        <translation>
            <numerusform>%n subida.</numerusform>
            <numerusform>%n subidas.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n uploaded, %1 failed.</source>
        <translation>
            <numerusform>%n subida, %1 con error.</numerusform>
            <numerusform>%n subidas, %1 con error.</numerusform>
        </translation>
    </message>
    <message>
        <source>The link is on the clipboard.</source>
        <translation>El enlace está en el portapapeles.</translation>
    </message>
    <message>
        <source>The links are on the clipboard.</source>
        <translation>Los enlaces están en el portapapeles.</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Mostrar</translation>
    </message>
    <message>
        <source>Upload history</source>
        <translation>Historial de subidas</translation>
    </message>
    <message>
        <source>Search file name, link, description, destination or date (2026-12-07)</source>
        <translation>Buscar nombre de archivo, enlace, descripción, destino o fecha (2026-12-07)</translation>
    </message>
    <message>
        <source>Search the upload history</source>
        <translation>Buscar en el historial de subidas</translation>
    </message>
    <message>
        <source>Copy link</source>
        <translation>Copiar enlace</translation>
    </message>
    <message>
        <source>Open link</source>
        <translation>Abrir enlace</translation>
    </message>
    <message>
        <source>Open deletion link...</source>
        <translation>Abrir enlace de borrado...</translation>
    </message>
    <message>
        <source>Upload again</source>
        <translation>Volver a subir</translation>
    </message>
    <message>
        <source>Clear all...</source>
        <translation>Borrar todo...</translation>
    </message>
    <message>
        <source>Copy as</source>
        <translation>Copiar como</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) copied.</source>
        <translation>
            <numerusform>%n enlace copiado.</numerusform>
            <numerusform>%n enlaces copiados.</numerusform>
        </translation>
    </message>
    <message>
        <source>Open deletion link</source>
        <translation>Abrir enlace de borrado</translation>
    </message>
    <message>
        <source>Open the deletion link of %1? The host deletes the image when the link is opened.</source>
        <translation>¿Abrir el enlace de borrado de %1? El servidor borra la imagen al abrir el enlace.</translation>
    </message>
    <message>
        <source>The file is no longer there.</source>
        <translation>El archivo ya no está.</translation>
    </message>
    <message numerus="yes">
        <source>%n entries removed.</source>
        <translation>
            <numerusform>%n entrada quitada.</numerusform>
            <numerusform>%n entradas quitadas.</numerusform>
        </translation>
    </message>
    <message>
        <source>Clear the upload history</source>
        <translation>Borrar el historial de subidas</translation>
    </message>
    <message>
        <source>Forget every upload in the history? The images stay on their hosts, but their links and deletion links are gone from this computer.</source>
        <translation>¿Olvidar todas las subidas del historial? Las imágenes siguen en sus servidores, pero sus enlaces y enlaces de borrado desaparecen de este equipo.</translation>
    </message>
    <message>
        <source>Opening the upload history...</source>
        <translation>Abriendo el historial de subidas...</translation>
    </message>
    <message>
        <source>No uploads yet.</source>
        <translation>Aún no hay subidas.</translation>
    </message>
    <message>
        <source>Nothing found for %1.</source>
        <translation>No se encontró nada para %1.</translation>
    </message>
    <message>
        <source>Import this destination?</source>
        <translation>¿Importar este destino?</translation>
    </message>
    <message>
        <source>Sends to:</source>
        <translation>Envía a:</translation>
    </message>
    <message>
        <source>%1, the image as the whole body</source>
        <translation>%1, la imagen como cuerpo completo</translation>
    </message>
    <message>
        <source>%1, the image as the form field &quot;%2&quot;</source>
        <translation>%1, la imagen en el campo de formulario «%2»</translation>
    </message>
    <message>
        <source>How:</source>
        <translation>Cómo:</translation>
    </message>
    <message>
        <source>Sent as</source>
        <translation>Enviado como</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valor</translation>
    </message>
    <message>
        <source>Header</source>
        <translation>Cabecera</translation>
    </message>
    <message>
        <source>Form field</source>
        <translation>Campo de formulario</translation>
    </message>
    <message>
        <source>Address parameter</source>
        <translation>Parámetro de dirección</translation>
    </message>
    <message>
        <source>A secret: kept in the keyring where one runs, never shown</source>
        <translation>Un secreto: se guarda en el llavero si hay uno, nunca se muestra</translation>
    </message>
    <message>
        <source>Sent besides the image:</source>
        <translation>Enviado además de la imagen:</translation>
    </message>
    <message>
        <source>Nothing is sent besides the image.</source>
        <translation>No se envía nada aparte de la imagen.</translation>
    </message>
    <message>
        <source>A destination called &quot;%1&quot; exists; importing replaces it.</source>
        <translation>Ya existe un destino llamado «%1»; al importar se sustituye.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
    <message>
        <source>(hidden)</source>
        <translation>(oculto)</translation>
    </message>
    <message>
        <source>Files left out of the folder as their names are not UTF-8: %1. Rename them to add them.</source>
        <translation>Archivos de la carpeta omitidos porque sus nombres no están en UTF-8: %1. Cámbieles el nombre para añadirlos.</translation>
    </message>
    <message>
        <source>The screenshot could not be saved in the temporary folder.</source>
        <translation>No se pudo guardar la captura en la carpeta temporal.</translation>
    </message>
    <message>
        <source>The screenshot could not be read or saved.</source>
        <translation>No se pudo leer ni guardar la captura.</translation>
    </message>
    <message>
        <source>The desktop could not take the screenshot.</source>
        <translation>El escritorio no pudo hacer la captura.</translation>
    </message>
    <message>
        <source>No screenshot: the desktop offers no screenshot portal.</source>
        <translation>Sin captura: el escritorio no ofrece portal de capturas.</translation>
    </message>
    <message>
        <source>No screenshot: the desktop did not answer in time.</source>
        <translation>Sin captura: el escritorio no respondió a tiempo.</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menú</translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation>Abrir imagen</translation>
    </message>
    <message>
        <source>The clipboard holds no image.</source>
        <translation>El portapapeles no contiene ninguna imagen.</translation>
    </message>
    <message>
        <source>The clipboard image could not be saved in the temporary folder.</source>
        <translation>No se pudo guardar la imagen del portapapeles en la carpeta temporal.</translation>
    </message>
    <message>
        <source>%1 cannot be used: %2</source>
        <translation>%1 no se puede usar: %2</translation>
    </message>
    <message>
        <source>%1 holds no picture to turn or flip.</source>
        <translation>%1 no contiene ninguna imagen que girar o voltear.</translation>
    </message>
    <message>
        <source>The edited image could not be saved in the temporary folder.</source>
        <translation>No se pudo guardar la imagen editada en la carpeta temporal.</translation>
    </message>
    <message>
        <source>The picture could not be saved in the temporary folder.</source>
        <translation>No se pudo guardar la imagen en la carpeta temporal.</translation>
    </message>
    <message>
        <source>Login not saved</source>
        <translation>Inicio de sesión no guardado</translation>
    </message>
    <message>
        <source>Your login was not remembered. %1</source>
        <translation>No se recordó su inicio de sesión. %1</translation>
    </message>
    <message>
        <source>1 upload is still running. Quit anyway?</source>
        <translation>Aún hay una subida en curso. ¿Salir de todos modos?</translation>
    </message>
    <message>
        <source>%1 uploads are still running. Quit anyway?</source>
        <translation>Aún hay %1 subidas en curso. ¿Salir de todos modos?</translation>
    </message>
    <message>
        <source>Wait</source>
        <translation>Esperar</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Capture in 1 second. Esc calls it off.</source>
        <translation>Captura en 1 segundo. Esc la cancela.</translation>
    </message>
    <message>
        <source>Capture in %1 seconds. Esc calls it off.</source>
        <translation>Captura en %1 segundos. Esc la cancela.</translation>
    </message>
    <message>
        <source>Region, window, delay</source>
        <translation>Región, ventana, retardo</translation>
    </message>
    <message>
        <source>More Captures</source>
        <translation>Más capturas</translation>
    </message>
    <message>
        <source>A capture is under way already: finish it or call it off first.</source>
        <translation>Ya hay una captura en curso: termínela o cancélela antes.</translation>
    </message>
    <message>
        <source>This desktop does not let the uploader capture a single window.</source>
        <translation>Este escritorio no permite capturar una sola ventana.</translation>
    </message>
    <message>
        <source>Keep the uploader running in the system tray when its window is closed?</source>
        <translation>¿Mantener el programa en la bandeja del sistema al cerrar su ventana?</translation>
    </message>
    <message>
        <source>Its tray icon takes captures and brings the window back. Quit ends it for good.</source>
        <translation>Su icono de la bandeja hace capturas y recupera la ventana. «Salir» lo cierra del todo.</translation>
    </message>
    <message>
        <source>Keep Running</source>
        <translation>Mantener</translation>
    </message>
    <message>
        <source>Upload history...</source>
        <translation>Historial de subidas...</translation>
    </message>
    <message>
        <source>Copy new links to the clipboard</source>
        <translation>Copiar los enlaces nuevos al portapapeles</translation>
    </message>
    <message>
        <source>No browser could open the link; it was copied instead.</source>
        <translation>Ningún navegador pudo abrir el enlace; se ha copiado en su lugar.</translation>
    </message>
    <message>
        <source>Give description</source>
        <translation>Escriba una descripción</translation>
    </message>
    <message>
        <source>Link copied</source>
        <translation>Enlace copiado</translation>
    </message>
    <message>
        <source>%1 links copied</source>
        <translation>%1 enlaces copiados</translation>
    </message>
    <message>
        <source>Copy all links</source>
        <translation>Copiar todos los enlaces</translation>
    </message>
    <message>
        <source>Too large to preview</source>
        <translation>Demasiado grande para la vista previa</translation>
    </message>
    <message>
        <source>Choose what to capture</source>
        <translation>Elija qué capturar</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>Uploads images to an image host and shows their links.</source>
        <translation>Sube imágenes a un servidor de imágenes y muestra sus enlaces.</translation>
    </message>
    <message>
        <source>Environment:</source>
        <translation>Entorno:</translation>
    </message>
    <message>
        <source>  TARVELLO_HOST       the built-in destination&apos;s host, host[:port] or https://host[:port] (built in: %1)</source>
        <translation>  TARVELLO_HOST       el servidor del destino integrado, host[:port] o https://host[:port] (integrado: %1)</translation>
    </message>
    <message>
        <source>  TARVELLO_CA_FILE    a PEM file of certificates to trust for an https built-in host, besides the system&apos;s</source>
        <translation>  TARVELLO_CA_FILE    un archivo PEM de certificados de confianza para un servidor integrado https, además de los del sistema</translation>
    </message>
    <message>
        <source>Image files to queue.</source>
        <translation>Archivos de imagen que poner en cola.</translation>
    </message>
    <message>
        <source>Take a screenshot in the running uploader, or start one to take it.</source>
        <translation>Hacer una captura en el programa en marcha, o iniciar uno para hacerla.</translation>
    </message>
    <message>
        <source>With --screenshot: drag a rectangle to capture.</source>
        <translation>Con --screenshot: arrastrar un rectángulo para capturarlo.</translation>
    </message>
    <message>
        <source>With --screenshot: click a window to capture.</source>
        <translation>Con --screenshot: hacer clic en una ventana para capturarla.</translation>
    </message>
    <message>
        <source>With --screenshot: wait this many seconds first (0 to %1).</source>
        <translation>Con --screenshot: esperar antes estos segundos (de 0 a %1).</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>segundos</translation>
    </message>
    <message>
        <source>Queue the files in the running uploader, or start one with them.</source>
        <translation>Poner los archivos en la cola del programa en marcha, o iniciar uno con ellos.</translation>
    </message>
    <message>
        <source>Upload the files without a window, print each link on a line, and exit (0: all uploaded, 1: any failed, 2: a usage error). &quot;-&quot; reads an image from standard input.</source>
        <translation>Subir los archivos sin ventana, mostrar cada enlace en una línea y salir (0: todo subido, 1: alguno falló, 2: error de uso). «-» lee una imagen de la entrada estándar.</translation>
    </message>
    <message>
        <source>With --upload: the destination to upload to (its name, any case); without it, the one chosen in the window.</source>
        <translation>Con --upload: el destino al que subir (su nombre, sin distinguir mayúsculas); sin ella, el elegido en la ventana.</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nombre</translation>
    </message>
    <message>
        <source>Import a custom-uploader file (.sxcu) as a destination, without asking, and print its name.</source>
        <translation>Importar un archivo de uploader personalizado (.sxcu) como destino, sin preguntar, y mostrar su nombre.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>archivo</translation>
    </message>
    <message>
        <source>Print the destinations, one name a line, the built-in one first.</source>
        <translation>Mostrar los destinos, un nombre por línea, el integrado primero.</translation>
    </message>
    <message>
        <source>--history [N]: print the newest N links of the upload history (%1 if not given), newest first, a line each: time, link, file and destination, separated by tabs.</source>
        <translation>--history [N]: mostrar los N enlaces más recientes del historial de subidas (%1 si no se indica), primero los más nuevos, uno por línea: hora, enlace, archivo y destino, separados por tabuladores.</translation>
    </message>
    <message>
        <source>The delay must be a whole number of seconds from 0 to %1, not &quot;%2&quot;.</source>
        <translation>El retardo debe ser un número entero de segundos de 0 a %1, no «%2».</translation>
    </message>
    <message>
        <source>%1 goes with --screenshot.</source>
        <translation>%1 va con --screenshot.</translation>
    </message>
    <message>
        <source>Give --region or --window, not both.</source>
        <translation>Indique --region o --window, no ambos.</translation>
    </message>
    <message>
        <source>--screenshot takes no files, but %1 was given.</source>
        <translation>--screenshot no admite archivos, pero se indicó %1.</translation>
    </message>
    <message>
        <source>Give --screenshot or --add, not both.</source>
        <translation>Indique --screenshot o --add, no ambos.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 no existe.</translation>
    </message>
    <message>
        <source>--upload needs at least one file, or &quot;-&quot; for standard input.</source>
        <translation>--upload necesita al menos un archivo, o «-» para la entrada estándar.</translation>
    </message>
    <message>
        <source>--destination goes with --upload.</source>
        <translation>--destination va con --upload.</translation>
    </message>
    <message>
        <source>Give one of --upload, --import-destination, --list-destinations, --history, --screenshot and --add at a time.</source>
        <translation>Indique solo una de las opciones --upload, --import-destination, --list-destinations, --history, --screenshot y --add a la vez.</translation>
    </message>
    <message>
        <source>--history takes how many links to print, a whole number from 1, not &quot;%1&quot;.</source>
        <translation>--history espera cuántos enlaces mostrar, un número entero desde 1, no «%1».</translation>
    </message>
    <message>
        <source>The uploader is busy with another capture.</source>
        <translation>El programa está ocupado con otra captura.</translation>
    </message>
    <message>
        <source>The uploader cannot do that on this desktop.</source>
        <translation>El programa no puede hacer eso en este escritorio.</translation>
    </message>
    <message>
        <source>The running uploader did not understand the request.</source>
        <translation>El programa en marcha no entendió la petición.</translation>
    </message>
    <message>
        <source>The running uploader belongs to another user.</source>
        <translation>El programa en marcha pertenece a otro usuario.</translation>
    </message>
    <message>
        <source>No uploader is running.</source>
        <translation>No hay ningún programa en marcha.</translation>
    </message>
    <message>
        <source>The running uploader did not answer in time.</source>
        <translation>El programa en marcha no respondió a tiempo.</translation>
    </message>
    <message>
        <source>The running uploader could not be reached: %1</source>
        <translation>No se pudo contactar con el programa en marcha: %1</translation>
    </message>
    <message>
        <source>Too large to preview (%1 × %2 pixels); it can still be uploaded as it is.</source>
        <translation>Demasiado grande para la vista previa (%1 × %2 píxeles); aun así se puede subir tal cual.</translation>
    </message>
    <message>
        <source>Click</source>
        <translation>Clic</translation>
    </message>
    <message>
        <source>Uploading...</source>
        <translation>Subiendo...</translation>
    </message>
    <message>
        <source>Destination: %1</source>
        <translation>Destino: %1</translation>
    </message>
    <message>
        <source>Click to add</source>
        <translation>Añadir…</translation>
    </message>
    <message>
        <source>The image on standard input is larger than %1 MiB.</source>
        <translation>La imagen de la entrada estándar supera los %1 MiB.</translation>
    </message>
    <message>
        <source>The image on standard input could not be kept in the temporary folder.</source>
        <translation>No se pudo guardar la imagen de la entrada estándar en la carpeta temporal.</translation>
    </message>
    <message>
        <source>%1 replaced the destination of that name.</source>
        <translation>%1 ha sustituido al destino del mismo nombre.</translation>
    </message>
    <message>
        <source>No destination is called %1; tarvello --list-destinations lists them.</source>
        <translation>Ningún destino se llama %1; tarvello --list-destinations los muestra.</translation>
    </message>
    <message>
        <source>The host refused the connection.</source>
        <translation>El servidor rechazó la conexión.</translation>
    </message>
    <message>
        <source>The host closed the connection before answering.</source>
        <translation>El servidor cerró la conexión antes de responder.</translation>
    </message>
    <message>
        <source>The host was not found.</source>
        <translation>No se encontró el servidor.</translation>
    </message>
    <message>
        <source>The transfer stalled: nothing moved for too long.</source>
        <translation>La transferencia se atascó: no avanzó durante demasiado tiempo.</translation>
    </message>
    <message>
        <source>The network is not available.</source>
        <translation>La red no está disponible.</translation>
    </message>
    <message>
        <source>The connection broke after the whole image was sent; it was not sent a second time.</source>
        <translation>La conexión se cortó tras enviar la imagen entera; no se envió una segunda vez.</translation>
    </message>
    <message>
        <source>The host&apos;s certificate could not be trusted, so nothing was sent.</source>
        <translation>No se pudo confiar en el certificado del servidor, así que no se envió nada.</translation>
    </message>
    <message>
        <source>The proxy failed.</source>
        <translation>Falló el proxy.</translation>
    </message>
    <message>
        <source>The host&apos;s answer broke the rules of HTTP.</source>
        <translation>La respuesta del servidor incumplió las reglas de HTTP.</translation>
    </message>
    <message>
        <source>The connection to the host failed.</source>
        <translation>Falló la conexión con el servidor.</translation>
    </message>
    <message>
        <source>HTTP status: %1 %2</source>
        <translation>Estado HTTP: %1 %2</translation>
    </message>
    <message>
        <source>The host&apos;s answer is not text.</source>
        <translation>La respuesta del servidor no es texto.</translation>
    </message>
    <message>
        <source>The host&apos;s answer was empty.</source>
        <translation>La respuesta del servidor estaba vacía.</translation>
    </message>
    <message>
        <source>No answer from the host.</source>
        <translation>Sin respuesta del servidor.</translation>
    </message>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Es una carpeta, no un archivo.</translation>
    </message>
    <message>
        <source>This is not an image the program can read.</source>
        <translation>No es una imagen que el programa pueda leer.</translation>
    </message>
    <message>
        <source>The file&apos;s name is not in UTF-8, so the program cannot open it; rename it.</source>
        <translation>El nombre del archivo no está en UTF-8, así que el programa no puede abrirlo; cámbiele el nombre.</translation>
    </message>
    <message>
        <source>Another file stands under this name since it was added; nothing was sent.</source>
        <translation>Desde que se añadió, hay otro archivo con este nombre; no se ha enviado nada.</translation>
    </message>
    <message>
        <source>This link came over plain HTTP: check it before you pass it on.</source>
        <translation>Este enlace llegó por HTTP sin cifrar: compruébelo antes de compartirlo.</translation>
    </message>
    <message>
        <source>This answer is not a link that can be opened or copied.</source>
        <translation>Esta respuesta no es un enlace que se pueda abrir o copiar.</translation>
    </message>
    <message>
        <source>The host&apos;s answer was too long to be a link.</source>
        <translation>La respuesta del servidor era demasiado larga para ser un enlace.</translation>
    </message>
    <message>
        <source>The host sent the upload elsewhere (HTTP status %1); it was not followed.</source>
        <translation>El servidor redirigió la subida (estado HTTP %1); no se siguió.</translation>
    </message>
    <message>
        <source>The host took too long to answer.</source>
        <translation>El servidor tardó demasiado en responder.</translation>
    </message>
    <message>
        <source>The upload was stopped.</source>
        <translation>Se detuvo la subida.</translation>
    </message>
    <message>
        <source>Cancelled before it was sent.</source>
        <translation>Cancelada antes de enviarse.</translation>
    </message>
    <message>
        <source>A user name or password of &quot;.&quot; or &quot;..&quot; cannot be sent in the upload address; nothing was sent.</source>
        <translation>Un usuario o contraseña «.» o «..» no se puede enviar en la dirección de subida; no se ha enviado nada.</translation>
    </message>
    <message>
        <source>The host&apos;s answer holds no link where the destination says it stands.</source>
        <translation>La respuesta del servidor no tiene enlace donde el destino dice que está.</translation>
    </message>
    <message>
        <source>The host&apos;s answer holds no link where the destination says it stands, but: %1</source>
        <translation>La respuesta del servidor no tiene enlace donde el destino dice que está, sino: %1</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>No se ha enviado nada.</translation>
    </message>
    <message>
        <source>%1 uploaded</source>
        <translation>%1 con éxito</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 con error</translation>
    </message>
    <message>
        <source>%1 uploading</source>
        <translation>%1 subiendo</translation>
    </message>
    <message>
        <source>%1 waiting</source>
        <translation>%1 en espera</translation>
    </message>
    <message>
        <source>%1 is not a regular file of yours, so it was left alone.</source>
        <translation>%1 no es un archivo normal suyo, así que no se ha tocado.</translation>
    </message>
    <message>
        <source>%1 is read-only, so it was left as it is.</source>
        <translation>%1 es de solo lectura, así que se ha dejado como estaba.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written.</source>
        <translation>No se puede escribir en la carpeta %1.</translation>
    </message>
    <message>
        <source>The login could not be written.</source>
        <translation>No se pudo guardar el inicio de sesión.</translation>
    </message>
    <message>
        <source>The login could not be written: the disk may be full.</source>
        <translation>No se pudo guardar el inicio de sesión: puede que el disco esté lleno.</translation>
    </message>
    <message>
        <source>%1 could not be replaced.</source>
        <translation>No se pudo sustituir %1.</translation>
    </message>
    <message>
        <source>Image Files (%1)</source>
        <translation>Archivos de imagen (%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Show Window</source>
        <translation>Mostrar ventana</translation>
    </message>
    <message>
        <source>Capture in 1 second</source>
        <translation>Captura en 1 segundo</translation>
    </message>
    <message>
        <source>Capture in %1 seconds</source>
        <translation>Captura en %1 segundos</translation>
    </message>
    <message>
        <source>Retry failed</source>
        <translation>Reintentar las fallidas</translation>
    </message>
    <message>
        <source>%1 cannot be used</source>
        <translation>%1 inutilizable(s)</translation>
    </message>
    <message>
        <source>The user name and password are kept in plain text in %1</source>
        <translation>El usuario y la contraseña se guardan sin cifrar en %1</translation>
    </message>
    <message>
        <source>Drop images here</source>
        <translation>Suelte las imágenes aquí</translation>
    </message>
    <message>
        <source>Picture of %1</source>
        <translation>Imagen de %1</translation>
    </message>
    <message>
        <source>Qt options, honoured before &quot;--&quot; only: -platform name, -style name, -reverse. After &quot;--&quot; every argument is a file.</source>
        <translation>Opciones de Qt, válidas solo antes de «--»: -platform name, -style name, -reverse. Tras «--», cada argumento es un archivo.</translation>
    </message>
    <message>
        <source>Cannot be used</source>
        <translation>No se puede usar</translation>
    </message>
    <message>
        <source>Waiting; Enter uploads it</source>
        <translation>En espera; Intro la sube</translation>
    </message>
    <message>
        <source>Upload failed: %1</source>
        <translation>Error al subir: %1</translation>
    </message>
    <message>
        <source>Ctrl+R sends every failed row again; the row&apos;s menu (Menu key) has Upload again.</source>
        <translation>Ctrl+R vuelve a enviar todas las filas fallidas; el menú de la fila (tecla Menú) tiene «Volver a subir».</translation>
    </message>
    <message>
        <source>Uploaded: %1</source>
        <translation>Subida: %1</translation>
    </message>
    <message>
        <source>A double click opens the link; Ctrl+C copies it.</source>
        <translation>Un doble clic abre el enlace; Ctrl+C lo copia.</translation>
    </message>
    <message>
        <source>No description</source>
        <translation>Sin descripción</translation>
    </message>
    <message>
        <source>No description; Enter adds one</source>
        <translation>Sin descripción; Intro añade una</translation>
    </message>
    <message>
        <source>%1; Enter changes it</source>
        <translation>%1; Intro la cambia</translation>
    </message>
    <message>
        <source>%1 waiting for the host</source>
        <comment>%1 is the word for Uploading...</comment>
        <translation>%1 esperando al servidor</translation>
    </message>
    <message>
        <source>What can be read of it is shown; it can still be uploaded as it is.</source>
        <translation>Se muestra lo que se puede leer de ella; aun así se puede subir tal cual.</translation>
    </message>
    <message>
        <source>The image is damaged: the file ends before the picture does.</source>
        <translation>La imagen está dañada: el archivo termina antes que la imagen.</translation>
    </message>
    <message>
        <source>The image is damaged: its data is corrupt.</source>
        <translation>La imagen está dañada: sus datos están corruptos.</translation>
    </message>
    <message>
        <source>%1 waiting (%2 damaged)</source>
        <translation>%1 en espera (%2 dañada(s))</translation>
    </message>
</context>
</TS>
