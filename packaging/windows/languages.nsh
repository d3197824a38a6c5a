; The installer's and uninstaller's own texts in each language they speak; NSIS's language files
; give the rest. The words are those of the program's catalogs (po/*.po, po/GLOSSARY.md).

LangString WELCOME_TEXT ${LANG_ENGLISH} \
  "Setup will install $(^NameDA), the cloning software of the VX-R455NORD air-band transceiver: it reads the transceiver's memory through the cloning cable, edits its channels and settings, and writes them back.$\r$\n$\r$\n$_CLICK"
LangString WELCOME_TEXT ${LANG_NORWEGIAN} \
  "Installasjonsprogrammet installerer $(^NameDA), kloningsprogrammet for flyradioen VX-R455NORD: det leser minnet i radioen gjennom kloningskabelen, redigerer kanalene og innstillingene og skriver dem tilbake.$\r$\n$\r$\n$_CLICK"
LangString WELCOME_TEXT ${LANG_SWEDISH} \
  "Installationsprogrammet installerar $(^NameDA), kloningsprogrammet för flygradion VX-R455NORD: det läser radions minne via kloningskabeln, redigerar kanalerna och inställningarna och skriver tillbaka dem.$\r$\n$\r$\n$_CLICK"
LangString WELCOME_TEXT ${LANG_DANISH} \
  "Installationsprogrammet installerer $(^NameDA), kloningsprogrammet til flyradioen VX-R455NORD: det læser radioens hukommelse via kloningskablet, redigerer kanalerne og indstillingerne og skriver dem tilbage.$\r$\n$\r$\n$_CLICK"
LangString WELCOME_TEXT ${LANG_FINNISH} \
  "Asennusohjelma asentaa ohjelman $(^NameDA), VX-R455NORD-ilmailuradion kloonausohjelmiston: se lukee radiopuhelimen muistin kloonauskaapelin kautta, muokkaa sen kanavia ja asetuksia ja kirjoittaa ne takaisin.$\r$\n$\r$\n$_CLICK"

; The Start menu entry's description.
LangString SHORTCUT_DESCRIPTION ${LANG_ENGLISH} "Read, edit and write the memory of the VX-R455NORD transceiver"
LangString SHORTCUT_DESCRIPTION ${LANG_NORWEGIAN} "Les, rediger og skriv minnet i flyradioen VX-R455NORD"
LangString SHORTCUT_DESCRIPTION ${LANG_SWEDISH} "Läs, redigera och skriv minnet i flygradion VX-R455NORD"
LangString SHORTCUT_DESCRIPTION ${LANG_DANISH} "Læs, rediger og skriv hukommelsen i flyradioen VX-R455NORD"
LangString SHORTCUT_DESCRIPTION ${LANG_FINNISH} "Lue, muokkaa ja kirjoita VX-R455NORD-ilmailuradion muisti"

; The name Explorer gives .qrb files.
LangString DOCUMENT_TYPE ${LANG_ENGLISH} "PW-R455NORD Document"
LangString DOCUMENT_TYPE ${LANG_NORWEGIAN} "PW-R455NORD-dokument"
LangString DOCUMENT_TYPE ${LANG_SWEDISH} "PW-R455NORD-dokument"
LangString DOCUMENT_TYPE ${LANG_DANISH} "PW-R455NORD-dokument"
LangString DOCUMENT_TYPE ${LANG_FINNISH} "PW-R455NORD-asiakirja"

; Retry and No are the names Windows gives the buttons in each language.
LangString PROGRAM_RUNNING ${LANG_ENGLISH} \
  "${APP_NAME} is running. Close it (save your changes first), then choose Retry."
LangString PROGRAM_RUNNING ${LANG_NORWEGIAN} \
  "${APP_NAME} kjører. Lukk programmet (lagre endringene først), og velg deretter Prøv på nytt."
LangString PROGRAM_RUNNING ${LANG_SWEDISH} \
  "${APP_NAME} körs. Stäng programmet (spara ändringarna först) och välj sedan Försök igen."
LangString PROGRAM_RUNNING ${LANG_DANISH} \
  "${APP_NAME} kører. Luk programmet (gem ændringerne først), og vælg derefter Prøv igen."
LangString PROGRAM_RUNNING ${LANG_FINNISH} \
  "${APP_NAME} on käynnissä. Sulje ohjelma (tallenna muutokset ensin) ja valitse sitten Yritä uudelleen."

LangString REMOVE_USER_FILES ${LANG_ENGLISH} \
  "Remove your ${APP_NAME} settings and the backups of your transceivers' memory as well?$\r$\n$\r$\nChoose No to keep them for a later installation."
LangString REMOVE_USER_FILES ${LANG_NORWEGIAN} \
  "Vil du også fjerne innstillingene dine for ${APP_NAME} og sikkerhetskopiene av minnet i radioene dine?$\r$\n$\r$\nVelg Nei for å beholde dem til en senere installasjon."
LangString REMOVE_USER_FILES ${LANG_SWEDISH} \
  "Vill du även ta bort dina inställningar för ${APP_NAME} och säkerhetskopiorna av minnet i dina radioapparater?$\r$\n$\r$\nVälj Nej för att behålla dem till en senare installation."
LangString REMOVE_USER_FILES ${LANG_DANISH} \
  "Vil du også fjerne dine indstillinger for ${APP_NAME} og sikkerhedskopierne af dine radioers hukommelse?$\r$\n$\r$\nVælg Nej for at beholde dem til en senere installation."
LangString REMOVE_USER_FILES ${LANG_FINNISH} \
  "Poistetaanko myös ${APP_NAME}-asetuksesi ja radiopuhelintesi muistin varmuuskopiot?$\r$\n$\r$\nValitse Ei, jos haluat säilyttää ne myöhempää asennusta varten."
