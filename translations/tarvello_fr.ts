<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>mw</name>
    <message>
        <source>Tarvello uploader</source>
        <translation>Tarvello Uploader</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Screenshot</source>
        <translation>Capture d&apos;écran</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Presse-papiers</translation>
    </message>
    <message>
        <source>Login (not required)</source>
        <translation>Connexion (facultative)</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Remember me (saves creds. as plaintext)</source>
        <translation>Mémoriser (identifiants en clair)</translation>
    </message>
    <message>
        <source>Modify image</source>
        <translation>Modifier l&apos;image</translation>
    </message>
    <message>
        <source>Rotate 90 deg CW</source>
        <translation>Pivoter de 90° à droite</translation>
    </message>
    <message>
        <source>Rotate 90 deg CCW</source>
        <translation>Pivoter de 90° à gauche</translation>
    </message>
    <message>
        <source>Rotate 180 deg</source>
        <translation>Pivoter de 180°</translation>
    </message>
    <message>
        <source>Flip horizontally</source>
        <translation>Retourner horizontalement</translation>
    </message>
    <message>
        <source>Flip vertically</source>
        <translation>Retourner verticalement</translation>
    </message>
    <message>
        <source>Upload status</source>
        <translation>État de l&apos;envoi</translation>
    </message>
    <message>
        <source>Upload All</source>
        <translation>Tout envoyer</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Nom du fichier</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Auto Upload</source>
        <translation>Envoi automatique</translation>
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
&lt;p style=&quot; margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;span style=&quot; font-size:8pt; color:#c0c0c0;&quot;&gt;Tarvello uploader - des images, des liens - V3.0c&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>No delay</source>
        <translation>Sans délai</translation>
    </message>
    <message>
        <source>After %1 seconds</source>
        <translation>Après %1 secondes</translation>
    </message>
    <message>
        <source>Cancel the Capture</source>
        <translation>Annuler la capture</translation>
    </message>
    <message>
        <source>Icon in the System Tray</source>
        <translation>Icône dans la zone de notification</translation>
    </message>
    <message>
        <source>Whole Screen</source>
        <translation>Écran entier</translation>
    </message>
    <message>
        <source>Region…</source>
        <translation>Zone…</translation>
    </message>
    <message>
        <source>Window…</source>
        <translation>Fenêtre…</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Délai</translation>
    </message>
    <message>
        <source>Import destination...</source>
        <translation>Importer une destination...</translation>
    </message>
    <message>
        <source>Destinations...</source>
        <translation>Destinations...</translation>
    </message>
    <message>
        <source>Where uploads go</source>
        <translation>Où vont les envois</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Destination</translation>
    </message>
    <message>
        <source>%1 was replaced; uploads now go there.</source>
        <translation>%1 a été remplacée ; les envois y vont désormais.</translation>
    </message>
    <message>
        <source>%1 was added; uploads now go there.</source>
        <translation>%1 a été ajoutée ; les envois y vont désormais.</translation>
    </message>
    <message>
        <source>Import destination</source>
        <translation>Importer une destination</translation>
    </message>
    <message>
        <source>Custom uploaders (*.sxcu);;All files (*)</source>
        <translation>Uploaders personnalisés (*.sxcu);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Not imported</source>
        <translation>Non importée</translation>
    </message>
    <message>
        <source>%1 was not imported: %2</source>
        <translation>%1 n&apos;a pas été importée : %2</translation>
    </message>
    <message>
        <source>Edit destination</source>
        <translation>Modifier la destination</translation>
    </message>
    <message>
        <source>the whole answer</source>
        <translation>toute la réponse</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>Header %1:</source>
        <translation>En-tête %1 :</translation>
    </message>
    <message>
        <source>Form field %1:</source>
        <translation>Champ de formulaire %1 :</translation>
    </message>
    <message>
        <source>Parameter %1:</source>
        <translation>Paramètre %1 :</translation>
    </message>
    <message>
        <source>not available: type it again</source>
        <translation>indisponible : saisissez-le à nouveau</translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>inchangé</translation>
    </message>
    <message>
        <source>Link:</source>
        <translation>Lien :</translation>
    </message>
    <message>
        <source>A destination needs a name.</source>
        <translation>Une destination doit avoir un nom.</translation>
    </message>
    <message>
        <source>Choose one:</source>
        <translation>Choisissez :</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Modifier...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exporter...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Destinations</source>
        <translation>Destinations</translation>
    </message>
    <message>
        <source>Its secrets are missing: edit it to give them again.</source>
        <translation>Ses secrets manquent : modifiez-la pour les saisir à nouveau.</translation>
    </message>
    <message>
        <source>Export destination</source>
        <translation>Exporter la destination</translation>
    </message>
    <message>
        <source>Custom uploaders (*.sxcu)</source>
        <translation>Uploaders personnalisés (*.sxcu)</translation>
    </message>
    <message>
        <source>Include the keys, tokens and passwords? Anyone with the file can then use them.</source>
        <translation>Inclure les clés, jetons et mots de passe ? Quiconque a le fichier pourra alors s&apos;en servir.</translation>
    </message>
    <message>
        <source>Exported to %1.</source>
        <translation>Exportée vers %1.</translation>
    </message>
    <message>
        <source>Remove destination</source>
        <translation>Supprimer la destination</translation>
    </message>
    <message>
        <source>Remove the destination &quot;%1&quot;?</source>
        <translation>Supprimer la destination « %1 » ?</translation>
    </message>
    <message>
        <source>Built-in host (%1)</source>
        <translation>Hébergeur intégré (%1)</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; is not closed</source>
        <translation>le modèle « %1 » n&apos;est pas fermé</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; is not one this program knows</source>
        <translation>le modèle « %1 » est inconnu de ce programme</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; is for text uploads, not images</source>
        <translation>le modèle « %1 » sert aux envois de texte, pas d&apos;images</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; reads the host&apos;s answer, which the request cannot have yet</source>
        <translation>le modèle « %1 » lit la réponse de l&apos;hébergeur, que la requête ne peut pas encore avoir</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; has arguments that cannot be used</source>
        <translation>le modèle « %1 » a des arguments inutilisables</translation>
    </message>
    <message>
        <source>the regular expression &quot;%1&quot; is not valid</source>
        <translation>l&apos;expression régulière « %1 » n&apos;est pas valide</translation>
    </message>
    <message>
        <source>RegexList has no entry %1</source>
        <translation>RegexList n&apos;a pas d&apos;entrée %1</translation>
    </message>
    <message>
        <source>the regular expression has no group &quot;%1&quot;</source>
        <translation>l&apos;expression régulière n&apos;a pas de groupe « %1 »</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>Le fichier n&apos;existe pas.</translation>
    </message>
    <message>
        <source>The file cannot be read.</source>
        <translation>Le fichier ne peut pas être lu.</translation>
    </message>
    <message>
        <source>The file is a link; import the file it points to instead.</source>
        <translation>Le fichier est un lien ; importez plutôt le fichier vers lequel il pointe.</translation>
    </message>
    <message>
        <source>This is not a regular file.</source>
        <translation>Ce n&apos;est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>The file is too large (%1 bytes) to be a custom-uploader file.</source>
        <translation>Le fichier est trop gros (%1 octets) pour être un fichier d&apos;uploader personnalisé.</translation>
    </message>
    <message>
        <source>The file is not valid JSON (at byte %1).</source>
        <translation>Le fichier n&apos;est pas du JSON valide (à l&apos;octet %1).</translation>
    </message>
    <message>
        <source>The file is JSON, but not a custom-uploader file.</source>
        <translation>Le fichier est du JSON, mais pas un fichier d&apos;uploader personnalisé.</translation>
    </message>
    <message>
        <source>The field %1 has a value this program cannot use.</source>
        <translation>Le champ %1 a une valeur que ce programme ne peut pas utiliser.</translation>
    </message>
    <message>
        <source>This destination does not take images (DestinationType: %1).</source>
        <translation>Cette destination n&apos;accepte pas d&apos;images (DestinationType : %1).</translation>
    </message>
    <message>
        <source>Images cannot be sent with the method %1; only POST, PUT and PATCH carry a file.</source>
        <translation>Les images ne peuvent pas être envoyées avec la méthode %1 ; seules POST, PUT et PATCH transportent un fichier.</translation>
    </message>
    <message>
        <source>A body of type %1 carries no file; images need MultipartFormData or Binary.</source>
        <translation>Un corps de type %1 ne transporte aucun fichier ; les images demandent MultipartFormData ou Binary.</translation>
    </message>
    <message>
        <source>The form has no field for the file (FileFormName is empty).</source>
        <translation>Le formulaire n&apos;a pas de champ pour le fichier (FileFormName est vide).</translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; is not an http:// or https:// address.</source>
        <translation>L&apos;adresse « %1 » n&apos;est pas une adresse http:// ou https://.</translation>
    </message>
    <message>
        <source>In %1, %2.</source>
        <translation>Dans %1 : %2.</translation>
    </message>
    <message>
        <source>Entry %1 of RegexList is not a valid regular expression.</source>
        <translation>L&apos;entrée %1 de RegexList n&apos;est pas une expression régulière valide.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a header.</source>
        <translation>« %1 » ne peut pas être le nom d&apos;un en-tête.</translation>
    </message>
    <message>
        <source>The header %1 is the program&apos;s to set.</source>
        <translation>L&apos;en-tête %1 est défini par le programme.</translation>
    </message>
    <message>
        <source>The value of the header %1 holds a line break.</source>
        <translation>La valeur de l&apos;en-tête %1 contient un saut de ligne.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the name of the built-in destination; give the file another Name.</source>
        <translation>« %1 » est le nom de la destination intégrée ; donnez un autre nom (Name) au fichier.</translation>
    </message>
    <message>
        <source>The keyring did not give this destination&apos;s secrets (%1); edit the destination to give them again.</source>
        <translation>Le trousseau n&apos;a pas fourni les secrets de cette destination (%1) ; modifiez la destination pour les saisir à nouveau.</translation>
    </message>
    <message>
        <source>The destination asks a question before each upload (&quot;%1&quot;), which cannot be answered from the command line; nothing was sent.</source>
        <translation>La destination pose une question avant chaque envoi (« %1 »), à laquelle on ne peut pas répondre en ligne de commande ; rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>The destination asks a question before each upload, and it was not answered; nothing was sent.</source>
        <translation>La destination pose une question avant chaque envoi, et elle est restée sans réponse ; rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>The destination asks &quot;%1&quot; before each upload, and it was not answered; nothing was sent.</source>
        <translation>La destination demande « %1 » avant chaque envoi, et la question est restée sans réponse ; rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>The destination&apos;s address came out as &quot;%1&quot;, which is not an http:// or https:// address; nothing was sent.</source>
        <translation>L&apos;adresse de la destination donne « %1 », qui n&apos;est pas une adresse http:// ou https:// ; rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>The header %1 came out with a line break; nothing was sent.</source>
        <translation>L&apos;en-tête %1 contient un saut de ligne ; rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>HTTP status: %1</source>
        <translation>Statut HTTP : %1</translation>
    </message>
    <message>
        <source>The answer held no link.</source>
        <translation>La réponse ne contenait aucun lien.</translation>
    </message>
    <message>
        <source>The answer held no link, only &quot;%1&quot;.</source>
        <translation>La réponse ne contenait aucun lien, seulement « %1 ».</translation>
    </message>
    <message>
        <source>The host said: %1</source>
        <translation>L&apos;hébergeur a répondu : %1</translation>
    </message>
    <message>
        <source>Could not write %1.</source>
        <translation>Impossible d&apos;écrire %1.</translation>
    </message>
    <message>
        <source>Some destinations in %1 could not be read and were left out.</source>
        <translation>Certaines destinations de %1 étaient illisibles et ont été ignorées.</translation>
    </message>
    <message>
        <source>There is no destination called &quot;%1&quot;.</source>
        <translation>Il n&apos;existe aucune destination nommée « %1 ».</translation>
    </message>
    <message>
        <source>The built-in destination cannot be changed or removed.</source>
        <translation>La destination intégrée ne peut être ni modifiée ni supprimée.</translation>
    </message>
    <message>
        <source>Another destination is already called &quot;%1&quot;.</source>
        <translation>Une autre destination s&apos;appelle déjà « %1 ».</translation>
    </message>
    <message>
        <source>The keyring did not give the secrets of &quot;%1&quot;.</source>
        <translation>Le trousseau n&apos;a pas fourni les secrets de « %1 ».</translation>
    </message>
    <message>
        <source>Keys, tokens and passwords are kept in the desktop&apos;s keyring.</source>
        <translation>Les clés, jetons et mots de passe sont gardés dans le trousseau du bureau.</translation>
    </message>
    <message>
        <source>No keyring answered: keys, tokens and passwords are kept in the destinations file, readable by you only.</source>
        <translation>Aucun trousseau n&apos;a répondu : les clés, jetons et mots de passe sont gardés dans le fichier des destinations, lisible par vous seul.</translation>
    </message>
    <message>
        <source>Keys, tokens and passwords go to the desktop&apos;s keyring when one is running, else into the destinations file, readable by you only.</source>
        <translation>Les clés, jetons et mots de passe vont dans le trousseau du bureau s&apos;il y en a un, sinon dans le fichier des destinations, lisible par vous seul.</translation>
    </message>
    <message>
        <source>Adding images</source>
        <translation>Ajout d&apos;images</translation>
    </message>
    <message numerus="yes">
        <source>Added %n image(s)...</source>
        <translation>
            <numerusform>%n image ajoutée...</numerusform>
            <numerusform>%n images ajoutées...</numerusform>
        </translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échec</translation>
    </message>
    <message>
        <source>%1 × %2 pixels</source>
        <translation>%1 × %2 pixels</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Envoyé le</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Lien</translation>
    </message>
    <message>
        <source>No upload history: Qt&apos;s SQLite driver is not installed (Debian package libqt6sql6-sqlite).</source>
        <translation>Pas d&apos;historique des envois : le pilote SQLite de Qt n&apos;est pas installé (paquet Debian libqt6sql6-sqlite).</translation>
    </message>
    <message>
        <source>No upload history: %1 cannot be opened.</source>
        <translation>Pas d&apos;historique des envois : impossible d&apos;ouvrir %1.</translation>
    </message>
    <message>
        <source>No upload history: %1 cannot be written.</source>
        <translation>Pas d&apos;historique des envois : impossible d&apos;écrire %1.</translation>
    </message>
    <message>
        <source>The upload history waits: another program keeps %1 locked. Uploads are recorded once it lets go.</source>
        <translation>L&apos;historique des envois attend : un autre programme verrouille %1. Les envois seront notés dès qu&apos;il le libère.</translation>
    </message>
    <message>
        <source>The upload history was damaged. It is kept as %1; a new history was started.</source>
        <translation>L&apos;historique des envois était endommagé. Il est conservé sous %1 ; un nouvel historique a été commencé.</translation>
    </message>
    <message>
        <source>No upload history: %1 was written by a newer version of this program.</source>
        <translation>Pas d&apos;historique des envois : %1 a été écrit par une version plus récente de ce programme.</translation>
    </message>
    <message>
        <source>The upload history waits: the disk is full. Uploads are recorded once there is room.</source>
        <translation>L&apos;historique des envois attend : le disque est plein. Les envois seront notés dès qu&apos;il y aura de la place.</translation>
    </message>
    <message>
        <source>No upload history: %1</source>
        <translation>Pas d&apos;historique des envois : %1</translation>
    </message>
    <message>
        <source>Markdown image</source>
        <translation>Image Markdown</translation>
    </message>
    <message>
        <source>HTML image</source>
        <translation>Image HTML</translation>
    </message>
    <message>
        <source>BBCode image</source>
        <translation>Image BBCode</translation>
    </message>
    <message>
        <source>Markdown thumbnail with link</source>
        <translation>Miniature Markdown avec lien</translation>
    </message>
    <message>
        <source>HTML thumbnail with link</source>
        <translation>Miniature HTML avec lien</translation>
    </message>
    <message>
        <source>BBCode thumbnail with link</source>
        <translation>Miniature BBCode avec lien</translation>
    </message>
    <message>
        <source>Uploads done</source>
        <translation>Envois terminés</translation>
    </message>
    <message>
        <source>Uploads done, some failed</source>
        <translation>Envois terminés, certains ont échoué</translation>
    </message>
    <message numerus="yes">
        <source>%n uploaded.</source>
        <translation>
            <numerusform>%n envoyée.</numerusform>
            <numerusform>%n envoyées.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n uploaded, %1 failed.</source>
        <translation>
            <numerusform>%n envoyée, %1 en échec.</numerusform>
            <numerusform>%n envoyées, %1 en échec.</numerusform>
        </translation>
    </message>
    <message>
        <source>The link is on the clipboard.</source>
        <translation>Le lien est dans le presse-papiers.</translation>
    </message>
    <message>
        <source>The links are on the clipboard.</source>
        <translation>Les liens sont dans le presse-papiers.</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Upload history</source>
        <translation>Historique des envois</translation>
    </message>
    <message>
        <source>Search file name, link, description, destination or date (2026-12-07)</source>
        <translation>Chercher un nom de fichier, lien, description, destination ou date (2026-12-07)</translation>
    </message>
    <message>
        <source>Search the upload history</source>
        <translation>Chercher dans l&apos;historique des envois</translation>
    </message>
    <message>
        <source>Copy link</source>
        <translation>Copier le lien</translation>
    </message>
    <message>
        <source>Open link</source>
        <translation>Ouvrir le lien</translation>
    </message>
    <message>
        <source>Open deletion link...</source>
        <translation>Ouvrir le lien de suppression...</translation>
    </message>
    <message>
        <source>Upload again</source>
        <translation>Renvoyer</translation>
    </message>
    <message>
        <source>Clear all...</source>
        <translation>Tout effacer...</translation>
    </message>
    <message>
        <source>Copy as</source>
        <translation>Copier en tant que</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) copied.</source>
        <translation>
            <numerusform>%n lien copié.</numerusform>
            <numerusform>%n liens copiés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Open deletion link</source>
        <translation>Ouvrir le lien de suppression</translation>
    </message>
    <message>
        <source>Open the deletion link of %1? The host deletes the image when the link is opened.</source>
        <translation>Ouvrir le lien de suppression de %1 ? L&apos;hébergeur supprime l&apos;image dès l&apos;ouverture du lien.</translation>
    </message>
    <message>
        <source>The file is no longer there.</source>
        <translation>Le fichier n&apos;existe plus.</translation>
    </message>
    <message numerus="yes">
        <source>%n entries removed.</source>
        <translation>
            <numerusform>%n entrée supprimée.</numerusform>
            <numerusform>%n entrées supprimées.</numerusform>
        </translation>
    </message>
    <message>
        <source>Clear the upload history</source>
        <translation>Effacer l&apos;historique des envois</translation>
    </message>
    <message>
        <source>Forget every upload in the history? The images stay on their hosts, but their links and deletion links are gone from this computer.</source>
        <translation>Oublier tous les envois de l&apos;historique ? Les images restent chez leurs hébergeurs, mais leurs liens et liens de suppression disparaissent de cet ordinateur.</translation>
    </message>
    <message>
        <source>Opening the upload history...</source>
        <translation>Ouverture de l&apos;historique des envois...</translation>
    </message>
    <message>
        <source>No uploads yet.</source>
        <translation>Aucun envoi pour l&apos;instant.</translation>
    </message>
    <message>
        <source>Nothing found for %1.</source>
        <translation>Rien trouvé pour %1.</translation>
    </message>
    <message>
        <source>Import this destination?</source>
        <translation>Importer cette destination ?</translation>
    </message>
    <message>
        <source>Sends to:</source>
        <translation>Envoie à :</translation>
    </message>
    <message>
        <source>%1, the image as the whole body</source>
        <translation>%1, l&apos;image comme corps entier</translation>
    </message>
    <message>
        <source>%1, the image as the form field &quot;%2&quot;</source>
        <translation>%1, l&apos;image dans le champ de formulaire « %2 »</translation>
    </message>
    <message>
        <source>How:</source>
        <translation>Comment :</translation>
    </message>
    <message>
        <source>Sent as</source>
        <translation>Envoyé comme</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Header</source>
        <translation>En-tête</translation>
    </message>
    <message>
        <source>Form field</source>
        <translation>Champ de formulaire</translation>
    </message>
    <message>
        <source>Address parameter</source>
        <translation>Paramètre d&apos;adresse</translation>
    </message>
    <message>
        <source>A secret: kept in the keyring where one runs, never shown</source>
        <translation>Un secret : gardé dans le trousseau s&apos;il y en a un, jamais affiché</translation>
    </message>
    <message>
        <source>Sent besides the image:</source>
        <translation>Envoyé en plus de l&apos;image :</translation>
    </message>
    <message>
        <source>Nothing is sent besides the image.</source>
        <translation>Rien n&apos;est envoyé en plus de l&apos;image.</translation>
    </message>
    <message>
        <source>A destination called &quot;%1&quot; exists; importing replaces it.</source>
        <translation>Une destination nommée « %1 » existe ; l&apos;importation la remplace.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>(hidden)</source>
        <translation>(masqué)</translation>
    </message>
    <message>
        <source>Files left out of the folder as their names are not UTF-8: %1. Rename them to add them.</source>
        <translation>Fichiers du dossier ignorés car leur nom n&apos;est pas en UTF-8 : %1. Renommez-les pour les ajouter.</translation>
    </message>
    <message>
        <source>The screenshot could not be saved in the temporary folder.</source>
        <translation>La capture d&apos;écran n&apos;a pas pu être enregistrée dans le dossier temporaire.</translation>
    </message>
    <message>
        <source>The screenshot could not be read or saved.</source>
        <translation>La capture d&apos;écran n&apos;a pas pu être lue ni enregistrée.</translation>
    </message>
    <message>
        <source>The desktop could not take the screenshot.</source>
        <translation>Le bureau n&apos;a pas pu faire la capture d&apos;écran.</translation>
    </message>
    <message>
        <source>No screenshot: the desktop offers no screenshot portal.</source>
        <translation>Pas de capture d&apos;écran : le bureau n&apos;offre pas de portail de capture.</translation>
    </message>
    <message>
        <source>No screenshot: the desktop did not answer in time.</source>
        <translation>Pas de capture d&apos;écran : le bureau n&apos;a pas répondu à temps.</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation>Ouvrir une image</translation>
    </message>
    <message>
        <source>The clipboard holds no image.</source>
        <translation>Le presse-papiers ne contient aucune image.</translation>
    </message>
    <message>
        <source>The clipboard image could not be saved in the temporary folder.</source>
        <translation>L&apos;image du presse-papiers n&apos;a pas pu être enregistrée dans le dossier temporaire.</translation>
    </message>
    <message>
        <source>%1 cannot be used: %2</source>
        <translation>%1 est inutilisable : %2</translation>
    </message>
    <message>
        <source>%1 holds no picture to turn or flip.</source>
        <translation>%1 ne contient aucune image à pivoter ou retourner.</translation>
    </message>
    <message>
        <source>The edited image could not be saved in the temporary folder.</source>
        <translation>L&apos;image modifiée n&apos;a pas pu être enregistrée dans le dossier temporaire.</translation>
    </message>
    <message>
        <source>The picture could not be saved in the temporary folder.</source>
        <translation>L&apos;image n&apos;a pas pu être enregistrée dans le dossier temporaire.</translation>
    </message>
    <message>
        <source>Login not saved</source>
        <translation>Connexion non enregistrée</translation>
    </message>
    <message>
        <source>Your login was not remembered. %1</source>
        <translation>Vos identifiants n&apos;ont pas été mémorisés. %1</translation>
    </message>
    <message>
        <source>1 upload is still running. Quit anyway?</source>
        <translation>Un envoi est encore en cours. Quitter quand même ?</translation>
    </message>
    <message>
        <source>%1 uploads are still running. Quit anyway?</source>
        <translation>%1 envois sont encore en cours. Quitter quand même ?</translation>
    </message>
    <message>
        <source>Wait</source>
        <translation>Attendre</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Capture in 1 second. Esc calls it off.</source>
        <translation>Capture dans 1 seconde. Échap pour annuler.</translation>
    </message>
    <message>
        <source>Capture in %1 seconds. Esc calls it off.</source>
        <translation>Capture dans %1 secondes. Échap pour annuler.</translation>
    </message>
    <message>
        <source>Region, window, delay</source>
        <translation>Zone, fenêtre, délai</translation>
    </message>
    <message>
        <source>More Captures</source>
        <translation>Autres captures</translation>
    </message>
    <message>
        <source>A capture is under way already: finish it or call it off first.</source>
        <translation>Une capture est déjà en cours : terminez-la ou annulez-la d&apos;abord.</translation>
    </message>
    <message>
        <source>This desktop does not let the uploader capture a single window.</source>
        <translation>Ce bureau ne permet pas de capturer une seule fenêtre.</translation>
    </message>
    <message>
        <source>Keep the uploader running in the system tray when its window is closed?</source>
        <translation>Garder le programme actif dans la zone de notification quand sa fenêtre est fermée ?</translation>
    </message>
    <message>
        <source>Its tray icon takes captures and brings the window back. Quit ends it for good.</source>
        <translation>Son icône de notification fait des captures et rouvre la fenêtre. « Quitter » l&apos;arrête pour de bon.</translation>
    </message>
    <message>
        <source>Keep Running</source>
        <translation>Garder actif</translation>
    </message>
    <message>
        <source>Upload history...</source>
        <translation>Historique des envois...</translation>
    </message>
    <message>
        <source>Copy new links to the clipboard</source>
        <translation>Copier les nouveaux liens dans le presse-papiers</translation>
    </message>
    <message>
        <source>No browser could open the link; it was copied instead.</source>
        <translation>Aucun navigateur n&apos;a pu ouvrir le lien ; il a été copié à la place.</translation>
    </message>
    <message>
        <source>Give description</source>
        <translation>Saisissez une description</translation>
    </message>
    <message>
        <source>Link copied</source>
        <translation>Lien copié</translation>
    </message>
    <message>
        <source>%1 links copied</source>
        <translation>%1 liens copiés</translation>
    </message>
    <message>
        <source>Copy all links</source>
        <translation>Copier tous les liens</translation>
    </message>
    <message>
        <source>Too large to preview</source>
        <translation>Trop grande pour l&apos;aperçu</translation>
    </message>
    <message>
        <source>Choose what to capture</source>
        <translation>Choisissez quoi capturer</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>Uploads images to an image host and shows their links.</source>
        <translation>Envoie des images à un hébergeur d&apos;images et affiche leurs liens.</translation>
    </message>
    <message>
        <source>Environment:</source>
        <translation>Environnement :</translation>
    </message>
    <message>
        <source>  TARVELLO_HOST       the built-in destination&apos;s host, host[:port] or https://host[:port] (built in: %1)</source>
        <translation>  TARVELLO_HOST       l&apos;hébergeur de la destination intégrée, host[:port] ou https://host[:port] (intégré : %1)</translation>
    </message>
    <message>
        <source>  TARVELLO_CA_FILE    a PEM file of certificates to trust for an https built-in host, besides the system&apos;s</source>
        <translation>  TARVELLO_CA_FILE    un fichier PEM de certificats de confiance pour un hébergeur intégré en https, en plus de ceux du système</translation>
    </message>
    <message>
        <source>Image files to queue.</source>
        <translation>Fichiers d&apos;image à mettre en file d&apos;attente.</translation>
    </message>
    <message>
        <source>Take a screenshot in the running uploader, or start one to take it.</source>
        <translation>Faire une capture d&apos;écran dans le programme en cours, ou en lancer un pour la faire.</translation>
    </message>
    <message>
        <source>With --screenshot: drag a rectangle to capture.</source>
        <translation>Avec --screenshot : tracer un rectangle à capturer.</translation>
    </message>
    <message>
        <source>With --screenshot: click a window to capture.</source>
        <translation>Avec --screenshot : cliquer sur une fenêtre à capturer.</translation>
    </message>
    <message>
        <source>With --screenshot: wait this many seconds first (0 to %1).</source>
        <translation>Avec --screenshot : attendre d&apos;abord ce nombre de secondes (0 à %1).</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>secondes</translation>
    </message>
    <message>
        <source>Queue the files in the running uploader, or start one with them.</source>
        <translation>Mettre les fichiers en file d&apos;attente dans le programme en cours, ou en lancer un avec eux.</translation>
    </message>
    <message>
        <source>Upload the files without a window, print each link on a line, and exit (0: all uploaded, 1: any failed, 2: a usage error). &quot;-&quot; reads an image from standard input.</source>
        <translation>Envoyer les fichiers sans fenêtre, afficher chaque lien sur une ligne, puis quitter (0 : tout envoyé, 1 : au moins un échec, 2 : erreur d&apos;utilisation). « - » lit une image sur l&apos;entrée standard.</translation>
    </message>
    <message>
        <source>With --upload: the destination to upload to (its name, any case); without it, the one chosen in the window.</source>
        <translation>Avec --upload : la destination de l&apos;envoi (son nom, casse indifférente) ; sans elle, celle choisie dans la fenêtre.</translation>
    </message>
    <message>
        <source>name</source>
        <translation>nom</translation>
    </message>
    <message>
        <source>Import a custom-uploader file (.sxcu) as a destination, without asking, and print its name.</source>
        <translation>Importer un fichier d&apos;uploader personnalisé (.sxcu) comme destination, sans demander, et afficher son nom.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>fichier</translation>
    </message>
    <message>
        <source>Print the destinations, one name a line, the built-in one first.</source>
        <translation>Afficher les destinations, un nom par ligne, l&apos;intégrée en premier.</translation>
    </message>
    <message>
        <source>--history [N]: print the newest N links of the upload history (%1 if not given), newest first, a line each: time, link, file and destination, separated by tabs.</source>
        <translation>--history [N] : afficher les N liens les plus récents de l&apos;historique des envois (%1 par défaut), du plus récent au plus ancien, un par ligne : heure, lien, fichier et destination, séparés par des tabulations.</translation>
    </message>
    <message>
        <source>The delay must be a whole number of seconds from 0 to %1, not &quot;%2&quot;.</source>
        <translation>Le délai doit être un nombre entier de secondes de 0 à %1, pas « %2 ».</translation>
    </message>
    <message>
        <source>%1 goes with --screenshot.</source>
        <translation>%1 s&apos;utilise avec --screenshot.</translation>
    </message>
    <message>
        <source>Give --region or --window, not both.</source>
        <translation>Indiquez --region ou --window, pas les deux.</translation>
    </message>
    <message>
        <source>--screenshot takes no files, but %1 was given.</source>
        <translation>--screenshot ne prend pas de fichier, mais %1 a été donné.</translation>
    </message>
    <message>
        <source>Give --screenshot or --add, not both.</source>
        <translation>Indiquez --screenshot ou --add, pas les deux.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 n&apos;existe pas.</translation>
    </message>
    <message>
        <source>--upload needs at least one file, or &quot;-&quot; for standard input.</source>
        <translation>--upload demande au moins un fichier, ou « - » pour l&apos;entrée standard.</translation>
    </message>
    <message>
        <source>--destination goes with --upload.</source>
        <translation>--destination s&apos;utilise avec --upload.</translation>
    </message>
    <message>
        <source>Give one of --upload, --import-destination, --list-destinations, --history, --screenshot and --add at a time.</source>
        <translation>Indiquez une seule des options --upload, --import-destination, --list-destinations, --history, --screenshot et --add à la fois.</translation>
    </message>
    <message>
        <source>--history takes how many links to print, a whole number from 1, not &quot;%1&quot;.</source>
        <translation>--history attend le nombre de liens à afficher, un entier à partir de 1, pas « %1 ».</translation>
    </message>
    <message>
        <source>The uploader is busy with another capture.</source>
        <translation>Le programme est occupé par une autre capture.</translation>
    </message>
    <message>
        <source>The uploader cannot do that on this desktop.</source>
        <translation>Le programme ne peut pas faire cela sur ce bureau.</translation>
    </message>
    <message>
        <source>The running uploader did not understand the request.</source>
        <translation>Le programme en cours n&apos;a pas compris la demande.</translation>
    </message>
    <message>
        <source>The running uploader belongs to another user.</source>
        <translation>Le programme en cours appartient à un autre utilisateur.</translation>
    </message>
    <message>
        <source>No uploader is running.</source>
        <translation>Aucun programme n&apos;est en cours.</translation>
    </message>
    <message>
        <source>The running uploader did not answer in time.</source>
        <translation>Le programme en cours n&apos;a pas répondu à temps.</translation>
    </message>
    <message>
        <source>The running uploader could not be reached: %1</source>
        <translation>Le programme en cours est injoignable : %1</translation>
    </message>
    <message>
        <source>Too large to preview (%1 × %2 pixels); it can still be uploaded as it is.</source>
        <translation>Trop grande pour l&apos;aperçu (%1 × %2 pixels) ; elle peut quand même être envoyée telle quelle.</translation>
    </message>
    <message>
        <source>Click</source>
        <translation>Cliquer</translation>
    </message>
    <message>
        <source>Uploading...</source>
        <translation>Envoi...</translation>
    </message>
    <message>
        <source>Destination: %1</source>
        <translation>Destination : %1</translation>
    </message>
    <message>
        <source>Click to add</source>
        <translation>Ajouter…</translation>
    </message>
    <message>
        <source>The image on standard input is larger than %1 MiB.</source>
        <translation>L&apos;image sur l&apos;entrée standard dépasse %1 Mio.</translation>
    </message>
    <message>
        <source>The image on standard input could not be kept in the temporary folder.</source>
        <translation>L&apos;image de l&apos;entrée standard n&apos;a pas pu être gardée dans le dossier temporaire.</translation>
    </message>
    <message>
        <source>%1 replaced the destination of that name.</source>
        <translation>%1 a remplacé la destination du même nom.</translation>
    </message>
    <message>
        <source>No destination is called %1; tarvello --list-destinations lists them.</source>
        <translation>Aucune destination ne s&apos;appelle %1 ; tarvello --list-destinations les énumère.</translation>
    </message>
    <message>
        <source>The host refused the connection.</source>
        <translation>L&apos;hébergeur a refusé la connexion.</translation>
    </message>
    <message>
        <source>The host closed the connection before answering.</source>
        <translation>L&apos;hébergeur a fermé la connexion avant de répondre.</translation>
    </message>
    <message>
        <source>The host was not found.</source>
        <translation>L&apos;hébergeur est introuvable.</translation>
    </message>
    <message>
        <source>The transfer stalled: nothing moved for too long.</source>
        <translation>Le transfert est bloqué : rien ne passe depuis trop longtemps.</translation>
    </message>
    <message>
        <source>The network is not available.</source>
        <translation>Le réseau n&apos;est pas disponible.</translation>
    </message>
    <message>
        <source>The connection broke after the whole image was sent; it was not sent a second time.</source>
        <translation>La connexion a été coupée après l&apos;envoi complet de l&apos;image ; elle n&apos;a pas été renvoyée.</translation>
    </message>
    <message>
        <source>The host&apos;s certificate could not be trusted, so nothing was sent.</source>
        <translation>Le certificat de l&apos;hébergeur n&apos;est pas digne de confiance ; rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>The proxy failed.</source>
        <translation>Le proxy a échoué.</translation>
    </message>
    <message>
        <source>The host&apos;s answer broke the rules of HTTP.</source>
        <translation>La réponse de l&apos;hébergeur enfreint les règles de HTTP.</translation>
    </message>
    <message>
        <source>The connection to the host failed.</source>
        <translation>La connexion à l&apos;hébergeur a échoué.</translation>
    </message>
    <message>
        <source>HTTP status: %1 %2</source>
        <translation>Statut HTTP : %1 %2</translation>
    </message>
    <message>
        <source>The host&apos;s answer is not text.</source>
        <translation>La réponse de l&apos;hébergeur n&apos;est pas du texte.</translation>
    </message>
    <message>
        <source>The host&apos;s answer was empty.</source>
        <translation>La réponse de l&apos;hébergeur était vide.</translation>
    </message>
    <message>
        <source>No answer from the host.</source>
        <translation>Aucune réponse de l&apos;hébergeur.</translation>
    </message>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>C&apos;est un dossier, pas un fichier.</translation>
    </message>
    <message>
        <source>This is not an image the program can read.</source>
        <translation>Ce n&apos;est pas une image que le programme sait lire.</translation>
    </message>
    <message>
        <source>The file&apos;s name is not in UTF-8, so the program cannot open it; rename it.</source>
        <translation>Le nom du fichier n&apos;est pas en UTF-8, le programme ne peut donc pas l&apos;ouvrir ; renommez-le.</translation>
    </message>
    <message>
        <source>Another file stands under this name since it was added; nothing was sent.</source>
        <translation>Un autre fichier porte ce nom depuis son ajout ; rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>This link came over plain HTTP: check it before you pass it on.</source>
        <translation>Ce lien est arrivé en HTTP non chiffré : vérifiez-le avant de le transmettre.</translation>
    </message>
    <message>
        <source>This answer is not a link that can be opened or copied.</source>
        <translation>Cette réponse n&apos;est pas un lien qui peut être ouvert ou copié.</translation>
    </message>
    <message>
        <source>The host&apos;s answer was too long to be a link.</source>
        <translation>La réponse de l&apos;hébergeur était trop longue pour être un lien.</translation>
    </message>
    <message>
        <source>The host sent the upload elsewhere (HTTP status %1); it was not followed.</source>
        <translation>L&apos;hébergeur a redirigé l&apos;envoi (statut HTTP %1) ; la redirection n&apos;a pas été suivie.</translation>
    </message>
    <message>
        <source>The host took too long to answer.</source>
        <translation>L&apos;hébergeur a mis trop de temps à répondre.</translation>
    </message>
    <message>
        <source>The upload was stopped.</source>
        <translation>L&apos;envoi a été arrêté.</translation>
    </message>
    <message>
        <source>Cancelled before it was sent.</source>
        <translation>Annulé avant envoi.</translation>
    </message>
    <message>
        <source>A user name or password of &quot;.&quot; or &quot;..&quot; cannot be sent in the upload address; nothing was sent.</source>
        <translation>Un nom d&apos;utilisateur ou un mot de passe « . » ou « .. » ne peut pas figurer dans l&apos;adresse d&apos;envoi ; rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>The host&apos;s answer holds no link where the destination says it stands.</source>
        <translation>La réponse de l&apos;hébergeur ne contient pas de lien à l&apos;endroit indiqué par la destination.</translation>
    </message>
    <message>
        <source>The host&apos;s answer holds no link where the destination says it stands, but: %1</source>
        <translation>La réponse de l&apos;hébergeur ne contient pas de lien à l&apos;endroit indiqué par la destination, mais : %1</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>Rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>%1 uploaded</source>
        <translation>%1 en ligne</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 en échec</translation>
    </message>
    <message>
        <source>%1 uploading</source>
        <translation>%1 en cours</translation>
    </message>
    <message>
        <source>%1 waiting</source>
        <translation>%1 en attente</translation>
    </message>
    <message>
        <source>%1 is not a regular file of yours, so it was left alone.</source>
        <translation>%1 n&apos;est pas un de vos fichiers ordinaires, il n&apos;a donc pas été touché.</translation>
    </message>
    <message>
        <source>%1 is read-only, so it was left as it is.</source>
        <translation>%1 est en lecture seule, il a donc été laissé tel quel.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written.</source>
        <translation>Impossible d&apos;écrire dans le dossier %1.</translation>
    </message>
    <message>
        <source>The login could not be written.</source>
        <translation>Les identifiants n&apos;ont pas pu être enregistrés.</translation>
    </message>
    <message>
        <source>The login could not be written: the disk may be full.</source>
        <translation>Les identifiants n&apos;ont pas pu être enregistrés : le disque est peut-être plein.</translation>
    </message>
    <message>
        <source>%1 could not be replaced.</source>
        <translation>%1 n&apos;a pas pu être remplacé.</translation>
    </message>
    <message>
        <source>Image Files (%1)</source>
        <translation>Fichiers d&apos;image (%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Show Window</source>
        <translation>Afficher la fenêtre</translation>
    </message>
    <message>
        <source>Capture in 1 second</source>
        <translation>Capture dans 1 seconde</translation>
    </message>
    <message>
        <source>Capture in %1 seconds</source>
        <translation>Capture dans %1 secondes</translation>
    </message>
    <message>
        <source>Retry failed</source>
        <translation>Relancer les échecs</translation>
    </message>
    <message>
        <source>%1 cannot be used</source>
        <translation>%1 inutilisable(s)</translation>
    </message>
    <message>
        <source>The user name and password are kept in plain text in %1</source>
        <translation>Le nom d&apos;utilisateur et le mot de passe sont gardés en clair dans %1</translation>
    </message>
    <message>
        <source>Drop images here</source>
        <translation>Déposez les images ici</translation>
    </message>
    <message>
        <source>Picture of %1</source>
        <translation>Image de %1</translation>
    </message>
    <message>
        <source>Qt options, honoured before &quot;--&quot; only: -platform name, -style name, -reverse. After &quot;--&quot; every argument is a file.</source>
        <translation>Options de Qt, prises en compte avant « -- » seulement : -platform name, -style name, -reverse. Après « -- », chaque argument est un fichier.</translation>
    </message>
    <message>
        <source>Cannot be used</source>
        <translation>Inutilisable</translation>
    </message>
    <message>
        <source>Waiting; Enter uploads it</source>
        <translation>En attente ; Entrée pour envoyer</translation>
    </message>
    <message>
        <source>Upload failed: %1</source>
        <translation>Échec de l&apos;envoi : %1</translation>
    </message>
    <message>
        <source>Ctrl+R sends every failed row again; the row&apos;s menu (Menu key) has Upload again.</source>
        <translation>Ctrl+R renvoie toutes les lignes en échec ; le menu de la ligne (touche Menu) propose « Renvoyer ».</translation>
    </message>
    <message>
        <source>Uploaded: %1</source>
        <translation>Envoyée : %1</translation>
    </message>
    <message>
        <source>A double click opens the link; Ctrl+C copies it.</source>
        <translation>Un double-clic ouvre le lien ; Ctrl+C le copie.</translation>
    </message>
    <message>
        <source>No description</source>
        <translation>Pas de description</translation>
    </message>
    <message>
        <source>No description; Enter adds one</source>
        <translation>Pas de description ; Entrée pour en ajouter une</translation>
    </message>
    <message>
        <source>%1; Enter changes it</source>
        <translation>%1 ; Entrée pour la modifier</translation>
    </message>
    <message>
        <source>%1 waiting for the host</source>
        <comment>%1 is the word for Uploading...</comment>
        <translation>%1 en attente de l&apos;hôte</translation>
    </message>
    <message>
        <source>What can be read of it is shown; it can still be uploaded as it is.</source>
        <translation>Ce qui peut en être lu est affiché ; elle peut quand même être envoyée telle quelle.</translation>
    </message>
    <message>
        <source>The image is damaged: the file ends before the picture does.</source>
        <translation>L&apos;image est endommagée : le fichier s&apos;arrête avant la fin de l&apos;image.</translation>
    </message>
    <message>
        <source>The image is damaged: its data is corrupt.</source>
        <translation>L&apos;image est endommagée : ses données sont corrompues.</translation>
    </message>
    <message>
        <source>%1 waiting (%2 damaged)</source>
        <translation>%1 en attente (%2 endommagée(s))</translation>
    </message>
</context>
</TS>
