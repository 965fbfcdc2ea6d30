-- The second level's exit leads out of the deep: the credits.
nextScene = "../Assets/Scenes/Credits.json"
