<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: orvanel [option]
Estimates pi by testing pairs of whole numbers for a common factor.
Without an option, Orvanel opens its window.

Options:
</source>
        <translation>Utilisation&#xa0;: orvanel [option]
Estime pi en cherchant un facteur commun dans des paires de nombres entiers.
Sans option, Orvanel ouvre sa fenêtre.

Options&#xa0;:
</translation>
    </message>
    <message>
        <source>Shows this help and ends.</source>
        <translation>Affiche cette aide et termine.</translation>
    </message>
    <message>
        <source>Shows the version of Orvanel and ends.</source>
        <translation>Affiche la version d’Orvanel et termine.</translation>
    </message>
    <message>
        <source>Orvanel %1</source>
        <translation>Orvanel %1</translation>
    </message>
    <message>
        <source>Orvanel: “%1” is not an option of Orvanel.</source>
        <translation>Orvanel&#xa0;: «&#xa0;%1&#xa0;» n’est pas une option d’Orvanel.</translation>
    </message>
    <message>
        <source>Orvanel: The option “%1” needs a value.</source>
        <translation>Orvanel&#xa0;: l’option «&#xa0;%1&#xa0;» demande une valeur.</translation>
    </message>
    <message>
        <source>Orvanel: “%1” is not an option; Orvanel takes no file names or other words.</source>
        <translation>Orvanel&#xa0;: «&#xa0;%1&#xa0;» n’est pas une option&#xa0;; Orvanel n’accepte ni nom de fichier ni autre mot.</translation>
    </message>
</context>
<context>
    <name>orvanel::AboutPlay</name>
    <message>
        <source>About Orvanel</source>
        <translation>À propos d’Orvanel</translation>
    </message>
    <message>
        <source>You are running Orvanel  1.1,</source>
        <translation>Vous utilisez Orvanel  1.1,</translation>
    </message>
    <message>
        <source>written by %1.</source>
        <translation>écrit par %1.</translation>
    </message>
    <message>
        <source>Any comments or bug reports can be sent</source>
        <translation>Vos remarques et rapports de bogues peuvent être envoyés</translation>
    </message>
    <message>
        <source>to %1</source>
        <translation>à %1</translation>
    </message>
    <message>
        <source>Check out %1</source>
        <extracomment>The first line of a sentence over two; %1 is the maker&apos;s web address, which may move to the second line if the language puts it last.</extracomment>
        <translation>Visitez %1</translation>
    </message>
    <message>
        <source>for other games, short stories and merchandise.</source>
        <extracomment>The second line of the sentence; it may take the web address, %1, from the first line.</extracomment>
        <translation>pour d’autres jeux, nouvelles et produits dérivés.</translation>
    </message>
    <message>
        <source>the Orvanel developers</source>
        <translation>les développeurs d’Orvanel</translation>
    </message>
</context>
<context>
    <name>orvanel::ConvergenceChart</name>
    <message>
        <source>Convergence chart</source>
        <translation>Graphique de convergence</translation>
    </message>
    <message>
        <source>pairs asked</source>
        <translation>paires testées</translation>
    </message>
    <message>
        <source>estimate of pi</source>
        <translation>estimation de pi</translation>
    </message>
    <message>
        <source>estimate</source>
        <translation>estimation</translation>
    </message>
    <message>
        <source>pi</source>
        <translation>pi</translation>
    </message>
    <message>
        <source>95 % range of random runs</source>
        <translation>intervalle à 95&#xa0;% (séries aléatoires)</translation>
    </message>
    <message>
        <source>continued from %1 saved pairs</source>
        <extracomment>In a chart that begins at a tally carried from earlier runs, whose course before it is not known. %1 is the count of pairs.</extracomment>
        <translation>suite de %1 paires enregistrées</translation>
    </message>
    <message>
        <source>No estimate yet</source>
        <translation>Pas encore d’estimation</translation>
    </message>
</context>
<context>
    <name>orvanel::ConvergenceWindow</name>
    <message>
        <source>No estimate yet</source>
        <translation>Pas encore d’estimation</translation>
    </message>
    <message>
        <source>convergence.png</source>
        <translation>convergence.png</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>Images PNG (*.png)</translation>
    </message>
    <message>
        <source>%1 ± %2 (95 %)</source>
        <extracomment>%1 is the estimate, %2 the half-width of its 95 % interval.</extracomment>
        <translation>%1 ± %2 (95&#xa0;%)</translation>
    </message>
    <message>
        <source>%1 (no ± before the first common factor)</source>
        <extracomment>%1 is the estimate: before the first common factor the counts give no ± yet.</extracomment>
        <translation>%1 (pas de ± avant le premier facteur commun)</translation>
    </message>
    <message>
        <source>less than %1 from pi</source>
        <translation>à moins de %1 de pi</translation>
    </message>
    <message>
        <source>%1 from pi</source>
        <translation>à %1 de pi</translation>
    </message>
    <message>
        <source>inside the 95 % band</source>
        <translation>dans l’intervalle à 95&#xa0;%</translation>
    </message>
    <message>
        <source>outside the 95 % band</source>
        <translation>hors de l’intervalle à 95&#xa0;%</translation>
    </message>
    <message>
        <source>%1, %2
%3 pairs, %4</source>
        <extracomment>Two lines: %1 the estimate, %2 its distance from pi; %3 the pairs asked, %4 whether the estimate lies inside the band.</extracomment>
        <translation>%1, %2
%3 paires, %4</translation>
    </message>
    <message>
        <source>Orvanel – Convergence</source>
        <translation>Orvanel – Convergence</translation>
    </message>
    <message>
        <source>&amp;Save Image…</source>
        <translation>&amp;Enregistrer l’image…</translation>
    </message>
</context>
<context>
    <name>orvanel::Main</name>
    <message>
        <source>qrc:/orvanel/Orvanel.html</source>
        <extracomment>The help document in the language of this translation, among those built into the program: qrc:/orvanel/Orvanel_de.html, qrc:/orvanel/Orvanel_fr.html.</extracomment>
        <translation>qrc:/orvanel/Orvanel_fr.html</translation>
    </message>
    <message>
        <source>Orvanel</source>
        <translation>Orvanel</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Loading %1</source>
        <translation>Analyse de %1</translation>
    </message>
    <message>
        <source>pi</source>
        <translation>pi</translation>
    </message>
    <message>
        <source>is about</source>
        <translation>vaut environ</translation>
    </message>
    <message>
        <source>people asked</source>
        <translation>personnes interrogées</translation>
    </message>
    <message>
        <source>hits found</source>
        <translation>facteurs trouvés</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>No file loaded</source>
        <translation>Aucun fichier chargé</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Analyze File</source>
        <translation>&amp;Analyser un fichier</translation>
    </message>
    <message>
        <source>Ask &amp;Virtual People</source>
        <translation>Interroger des personnes &amp;virtuelles</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>What is the &amp;point?</source>
        <translation>À quoi ça &amp;sert&#xa0;?</translation>
    </message>
    <message>
        <source>&amp;About Orvanel</source>
        <translation>À &amp;propos d’Orvanel</translation>
    </message>
    <message>
        <source>The number of relatively prime pairs lies outside the range of a whole number of 32 bits.</source>
        <translation>Le nombre de paires premières entre elles dépasse la plage d’un entier de 32 bits.</translation>
    </message>
    <message>
        <source>The random number lies outside the range of a whole number of 32 bits.</source>
        <translation>Le nombre aléatoire dépasse la plage d’un entier de 32 bits.</translation>
    </message>
    <message>
        <source>The random number does not fit into a whole number of 32 bits.</source>
        <translation>Le nombre aléatoire ne tient pas dans un entier de 32 bits.</translation>
    </message>
    <message>
        <source>The bound of the common-factor test does not fit into a whole number of 32 bits.</source>
        <translation>La borne du test de facteur commun ne tient pas dans un entier de 32 bits.</translation>
    </message>
    <message>
        <source>Working out the estimate of pi gave an invalid result.</source>
        <translation>Le calcul de l’estimation de pi a donné un résultat non valide.</translation>
    </message>
    <message>
        <source>Working out the random number gave an invalid result.</source>
        <translation>Le calcul du nombre aléatoire a donné un résultat non valide.</translation>
    </message>
    <message>
        <source>Working out the estimate of pi gave a number too large to hold.</source>
        <translation>Le calcul de l’estimation de pi a donné un nombre trop grand.</translation>
    </message>
    <message>
        <source>Working out the random number gave a number too large to hold.</source>
        <translation>Le calcul du nombre aléatoire a donné un nombre trop grand.</translation>
    </message>
    <message>
        <source>Working out the estimate of pi needed a division by zero.</source>
        <translation>Le calcul de l’estimation de pi aurait exigé une division par zéro.</translation>
    </message>
    <message>
        <source>Working out the estimate of pi needed the square root of a negative number.</source>
        <translation>Le calcul de l’estimation de pi aurait exigé la racine carrée d’un nombre négatif.</translation>
    </message>
    <message>
        <source>the system gave no reason</source>
        <translation>le système n’a donné aucune raison</translation>
    </message>
    <message>
        <source>there is no such file or folder</source>
        <translation>ce fichier ou dossier n’existe pas</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>accès refusé</translation>
    </message>
    <message>
        <source>a part of the path is not a folder</source>
        <translation>une partie du chemin n’est pas un dossier</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>le nom est trop long</translation>
    </message>
    <message>
        <source>the file system is read-only</source>
        <translation>le système de fichiers est en lecture seule</translation>
    </message>
    <message>
        <source>the device reported an input or output error</source>
        <translation>le périphérique a signalé une erreur d’entrée/sortie</translation>
    </message>
    <message>
        <source>too many files are open</source>
        <translation>trop de fichiers sont ouverts</translation>
    </message>
    <message>
        <source>Something went wrong that should never happen: %1.</source>
        <translation>Une erreur inattendue s’est produite&#xa0;: %1.</translation>
    </message>
    <message>
        <source>The saved tally could not be read from %1: the file is damaged. The tally starts again from zero.</source>
        <translation>Le décompte enregistré n’a pas pu être lu dans %1&#xa0;: le fichier est endommagé. Le décompte repart de zéro.</translation>
    </message>
    <message>
        <source>is about %1</source>
        <translation>vaut environ %1</translation>
    </message>
    <message>
        <source> based on %1 virtual people asked</source>
        <extracomment>%1 is the number of pairs asked, with a blank in the place of the sign.</extracomment>
        <translation> d’après %1 personnes virtuelles interrogées</translation>
    </message>
    <message>
        <source>and %1 guesses being relatively prime</source>
        <extracomment>%1 is the number of pairs without a common factor, with a blank in the place of the sign.</extracomment>
        <translation>et %1 paires jugées premières entre elles</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Convergence Chart</source>
        <translation>Graphique de &amp;convergence</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>the file system did not answer in time</source>
        <translation>le système de fichiers n’a pas répondu à temps</translation>
    </message>
    <message>
        <source>it is far too large to be a settings file</source>
        <translation>il est bien trop volumineux pour un fichier de paramètres</translation>
    </message>
    <message>
        <source>the settings store refused access</source>
        <translation>l’accès aux paramètres a été refusé</translation>
    </message>
    <message>
        <source>The saved tally could not be read from %1: %2. The tally starts again from zero.</source>
        <translation>Le décompte enregistré n’a pas pu être lu dans %1&#xa0;: %2. Le décompte repart de zéro.</translation>
    </message>
    <message>
        <source>there is no space left on the disk</source>
        <translation>il n’y a plus de place sur le disque</translation>
    </message>
    <message>
        <source>the symbolic links on the way lead round in a circle</source>
        <translation>les liens symboliques du chemin tournent en rond</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>c’est un dossier</translation>
    </message>
    <message>
        <source>&amp;Full Speed</source>
        <translation>&amp;Pleine vitesse</translation>
    </message>
    <message>
        <source>the system could not start a thread to wait for the file system</source>
        <translation>le système n’a pas pu lancer de fil d’exécution pour attendre le système de fichiers</translation>
    </message>
    <message>
        <source>it could not be read when Orvanel started, and could not be set aside to keep it (%1), so it is left as it is</source>
        <translation>il n’a pas pu être lu au démarrage d’Orvanel, ni être mis de côté pour le conserver (%1)&#xa0;; il reste donc tel quel</translation>
    </message>
    <message>
        <source>no home folder is known (HOME is not set)</source>
        <translation>aucun dossier personnel n’est connu (HOME n’est pas défini)</translation>
    </message>
    <message>
        <source>The image could not be saved as %1: %2. Choose another folder.</source>
        <translation>L’image n’a pas pu être enregistrée sous %1&#xa0;: %2. Choisissez un autre dossier.</translation>
    </message>
    <message>
        <source>&amp;Quit Without Saving</source>
        <translation>&amp;Quitter sans enregistrer</translation>
    </message>
    <message>
        <source>%p %</source>
        <translation>%p&#xa0;%</translation>
    </message>
    <message>
        <source>The tally has reached %1 virtual people, the most it can count. The trials have stopped; Reset starts a new tally.</source>
        <extracomment>%1 is 2,147,483,647 as the user&apos;s locale writes it.</extracomment>
        <translation>Le décompte a atteint %1 personnes virtuelles, le maximum qu’il puisse compter. Les essais sont arrêtés&#xa0;; cliquez sur «&#xa0;Réinitialiser&#xa0;» pour commencer un nouveau décompte.</translation>
    </message>
    <message>
        <source>The count of common factors found has reached %1, the most it can count. The trials have stopped; Reset starts a new tally.</source>
        <translation>Le nombre de facteurs communs trouvés a atteint %1, le maximum qu’il puisse compter. Les essais sont arrêtés&#xa0;; cliquez sur «&#xa0;Réinitialiser&#xa0;» pour commencer un nouveau décompte.</translation>
    </message>
    <message>
        <source>The tally could not be saved in %1: %2.</source>
        <translation>Le décompte n’a pas pu être enregistré dans %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The settings file %1 also holds lines that are not part of the tally. They will be removed when the tally is next saved.</source>
        <translation>Le fichier de paramètres %1 contient aussi des lignes qui ne font pas partie du décompte. Elles seront supprimées au prochain enregistrement du décompte.</translation>
    </message>
    <message>
        <source>The tally will not be saved in %1: %2.</source>
        <translation>Le décompte ne pourra pas être enregistré dans %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>another program is using it</source>
        <translation>un autre programme l’utilise</translation>
    </message>
    <message>
        <source>Saving the tally in %1 did not finish in time: the file system did not answer. Whichever tally lands there is the one the next start reads.</source>
        <translation>L’enregistrement du décompte dans %1 ne s’est pas terminé à temps&#xa0;: le système de fichiers n’a pas répondu. Au prochain démarrage, Orvanel lira le décompte qui y sera arrivé en dernier.</translation>
    </message>
    <message>
        <source>Orvanel is running already, but it does not answer. This copy ends without touching the tally.</source>
        <translation>Orvanel est déjà ouvert, mais ne répond pas. Cette seconde copie se ferme sans toucher au décompte.</translation>
    </message>
    <message>
        <source>number of people asked</source>
        <translation>nombre de personnes interrogées</translation>
    </message>
    <message>
        <source>number of common factors found</source>
        <translation>nombre de facteurs communs trouvés</translation>
    </message>
    <message>
        <source>number of relatively prime pairs</source>
        <translation>nombre de paires premières entre elles</translation>
    </message>
    <message>
        <source>estimate of pi</source>
        <translation>estimation de pi</translation>
    </message>
    <message>
        <source>random number</source>
        <translation>nombre aléatoire</translation>
    </message>
    <message>
        <source>bound of the common-factor test</source>
        <translation>borne du test de facteur commun</translation>
    </message>
    <message>
        <source>stored count</source>
        <translation>nombre enregistré</translation>
    </message>
    <message>
        <source>limit reached</source>
        <translation>limite atteinte</translation>
    </message>
    <message>
        <source>out of the 32-bit range</source>
        <translation>hors de la plage des 32&#xa0;bits</translation>
    </message>
    <message>
        <source>does not fit into 32 bits</source>
        <translation>ne tient pas sur 32&#xa0;bits</translation>
    </message>
    <message>
        <source>invalid result</source>
        <translation>résultat invalide</translation>
    </message>
    <message>
        <source>too large</source>
        <translation>trop grand</translation>
    </message>
    <message>
        <source>division by zero</source>
        <translation>division par zéro</translation>
    </message>
    <message>
        <source>square root of a negative number</source>
        <translation>racine carrée d’un nombre négatif</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>c’est un périphérique, pas un fichier</translation>
    </message>
    <message>
        <source>Something went wrong that should never happen: %1: %2.</source>
        <translation>Une erreur inattendue s’est produite&#xa0;: %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Saving the image as %1 did not finish in time: the file system did not answer.</source>
        <translation>L’enregistrement de l’image sous %1 ne s’est pas terminé à temps&#xa0;: le système de fichiers n’a pas répondu.</translation>
    </message>
    <message>
        <source>The folder “%1” did not answer in time, so the dialog opens elsewhere.</source>
        <translation>Le dossier «&#xa0;%1&#xa0;» n’a pas répondu à temps&#xa0;; la boîte de dialogue s’ouvre donc ailleurs.</translation>
    </message>
    <message>
        <source>The file “%1” could not be opened: %2.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» n’a pas pu être ouvert&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The file “%1” could not be read: %2.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» n’a pas pu être lu&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The next save keeps that file beside the new one, under a name that ends in “.unreadable-” and the date.</source>
        <translation>La prochaine sauvegarde conserve ce fichier à côté du nouveau, sous un nom qui se termine par «&#xa0;.unreadable-&#xa0;» et la date.</translation>
    </message>
    <message>
        <source>The saved Hits “%1” in %2 cannot be used, so the tally starts again from zero.</source>
        <translation>Le nombre enregistré de facteurs communs «&#xa0;%1&#xa0;» dans %2 est inutilisable&#xa0;: le décompte repart donc de zéro.</translation>
    </message>
    <message>
        <source>The saved Total “%1” in %2 cannot be used, so the tally starts again from zero.</source>
        <translation>Le nombre enregistré de personnes interrogées «&#xa0;%1&#xa0;» dans %2 est inutilisable&#xa0;: le décompte repart donc de zéro.</translation>
    </message>
    <message>
        <source>The saved Estimate “%1” in %2 cannot be used and starts again at 0.</source>
        <translation>L’estimation enregistrée «&#xa0;%1&#xa0;» dans %2 est inutilisable&#xa0;; elle est remise à 0.</translation>
    </message>
    <message>
        <source>The file “%1” is empty; a pair needs 8 bytes.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» est vide&#xa0;; une paire occupe 8 octets.</translation>
    </message>
    <message>
        <source>The file “%1” holds only 1 byte; a pair needs 8.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» ne contient qu’un octet&#xa0;; une paire en occupe 8.</translation>
    </message>
    <message>
        <source>The file “%1” holds only %2 bytes; a pair needs 8.</source>
        <translation>Le fichier «&#xa0;%1&#xa0;» ne contient que %2 octets&#xa0;; une paire en occupe 8.</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>The title of the dialog in which a pair file is chosen, as the system names it.</extracomment>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Enregistrer l’image</translation>
    </message>
    <message>
        <source>the values there could not be read when Orvanel started, so they are left as they are</source>
        <translation>les valeurs qui s’y trouvent n’ont pas pu être lues au démarrage d’Orvanel&#xa0;; elles restent donc telles quelles</translation>
    </message>
    <message>
        <source>The saved %1 in %2 holds a list of texts, not a number.</source>
        <translation>La valeur enregistrée %1 dans %2 est une liste de textes, pas un nombre.</translation>
    </message>
    <message>
        <source>The saved %1 in %2 is a number stored with the wrong size for its kind.</source>
        <translation>La valeur enregistrée %1 dans %2 est un nombre stocké avec une taille qui ne convient pas à son type.</translation>
    </message>
    <message>
        <source>The saved %1 in %2 holds binary data, not a number.</source>
        <translation>La valeur enregistrée %1 dans %2 contient des données binaires, pas un nombre.</translation>
    </message>
    <message>
        <source>The tally starts again from zero.</source>
        <translation>Le décompte repart de zéro.</translation>
    </message>
    <message>
        <source>The estimate starts again at 0.</source>
        <translation>L’estimation repart de 0.</translation>
    </message>
</context>
</TS>
